// SPDX-License-Identifier: MIT
// vornikat-bank: turns question banks written as Aiken text, or exported by other tools as GIFT,
// Moodle XML or CSV, into data.bin, prints a data.bin as Aiken text, and says whether the program
// will load a data.bin; in the language of its user.
#include <getopt.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "atomic_file.hpp"
#include "bank_check.hpp"
#include "bank_reader.hpp"
#include "bank_source.hpp"
#include "bank_text.hpp"
#include "bank_writer.hpp"
#include "console_session.hpp"
#include "draft_check.hpp"
#include "file_problem_text.hpp"
#include "layout_fit.hpp"
#include "regular_file.hpp"
#include "terminal_text.hpp"
#include "tool_messages.hpp"
#include "user_language.hpp"

namespace vb = vornikat::bank;
using vornikat::banktool::Msg;
using vornikat::banktool::Say;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A file's name as it was given, unless printing it would break the line or reach the terminal's
// controls: then quoted, with those bytes escaped. A plain name stays plain, so that
// "FILE:LINE:COLUMN" stays what editors read.
std::string Shown(std::string_view name) {
    std::string quoted = vornikat::QuoteForTerminal(name);
    return quoted.size() == name.size() + 2 ? std::string(name) : quoted;
}

// The name as a shell or cmd takes it back in a command the tool suggests: in double quotes where
// a blank or a sign the shell reads would split or change it, after "--" where it starts with
// a dash.
std::string ForCommandLine(std::string_view name) {
    const bool plain = name.find_first_of(" \t\"'$`\\!*?[]{}()&;<>|#~%^") == std::string_view::npos;
#ifdef _WIN32
    // cmd keeps a backslash as it is: only the quotes are added.
    std::string shown = plain ? Shown(name) : "\"" + Shown(name) + "\"";
#else
    std::string shown = plain ? Shown(name) : vornikat::QuoteForTerminal(name);
#endif
    return name.starts_with('-') ? "-- " + shown : shown;
}

bool InRussian() {
    return vornikat::banktool::SpokenLanguage() == vb::Language::Russian;
}

// Words shared with the editor, in the spoken language.
const std::string& Chosen(const vornikat::FileProblemText& text) {
    return InRussian() ? text.russian : text.english;
}

// A wrong command line gets one line on what is wrong and where the help is, not the help.
int UsageError(std::string_view command, const std::string& problem) {
    const std::string name =
        command.empty() ? "vornikat-bank" : "vornikat-bank " + std::string(command);
    std::cerr << Say(Msg::TryHelp, {name, problem});
    return kUsage;
}

// The options of one command, read by getopt_long from ARGS (ARGS[0] is the command's name),
// and what is left: its operands. "--" ends the options.
struct ParsedArgs {
    bool help = false;
    bool version = false;
    bool requireFit = false;
    std::vector<std::string> from;
    std::vector<std::string> outputs;
    std::vector<std::string> operands;
    std::optional<std::string> problem;
};

enum LongOnly : int { kVersion = 256, kRequireFit, kFrom };

// Whose options: the tool's own, before the command (the command ends them), build's, or those of
// the commands that read one bank.
enum class OptionSet { Tool, Build, Read };

ParsedArgs ParseArgs(int argc, char** argv, OptionSet set) {
    static const option kTool[] = {{"help", no_argument, nullptr, 'h'},
                                   {"version", no_argument, nullptr, kVersion},
                                   {nullptr, 0, nullptr, 0}};
    static const option kBuild[] = {{"help", no_argument, nullptr, 'h'},
                                    {"output", required_argument, nullptr, 'o'},
                                    {"require-fit", no_argument, nullptr, kRequireFit},
                                    {"from", required_argument, nullptr, kFrom},
                                    {nullptr, 0, nullptr, 0}};
    static const option kRead[] = {{"help", no_argument, nullptr, 'h'}, {nullptr, 0, nullptr, 0}};
    ParsedArgs parsed;
    // The messages are our own; a leading ':' tells a missing argument from an unknown option,
    // and a '+' stops at the first operand.
    opterr = 0;
    optind = 0;
    const char* shortOptions = set == OptionSet::Tool    ? "+:h"
                               : set == OptionSet::Build ? ":ho:"
                                                         : ":h";
    const option* longOptions = set == OptionSet::Tool    ? kTool
                                : set == OptionSet::Build ? kBuild
                                                          : kRead;
    // getopt takes "-вопросы.txt" byte by byte and names half a letter: such a word is named
    // whole, unless it is an option's value.
    for (int k = 1; k < argc && std::string_view(argv[k]) != "--"; ++k) {
        const std::string_view word = argv[k];
        if (set == OptionSet::Tool && !word.starts_with('-')) {
            break;  // the command: its own options are its to read
        }
        if (word == "-o" || word == "--output" || word == "--from") {
            ++k;
        } else if (word.size() > 1 && word[0] == '-' &&
                   static_cast<unsigned char>(word[1]) >= 0x80) {
            parsed.problem = Say(Msg::UnknownOption, {Shown(word)});
            return parsed;
        }
    }
    for (;;) {
        const int found = getopt_long(argc, argv, shortOptions, longOptions, nullptr);
        if (found == -1) {
            break;
        }
        switch (found) {
            case 'h':
                parsed.help = true;
                break;
            case kVersion:
                parsed.version = true;
                break;
            case 'o':
                parsed.outputs.emplace_back(optarg);
                break;
            case kRequireFit:
                parsed.requireFit = true;
                break;
            case kFrom:
                parsed.from.emplace_back(optarg);
                break;
            case ':':
                parsed.problem = Say(Msg::OptionNeedsArgument, {Shown(argv[optind - 1])});
                return parsed;
            default:
                parsed.problem = Say(Msg::UnknownOption,
                                     {optopt > 0 && optopt < 0x80
                                          ? "-" + Shown(std::string(1, static_cast<char>(optopt)))
                                          : Shown(argv[optind - 1])});
                return parsed;
        }
    }
    parsed.operands.assign(argv + optind, argv + argc);
    return parsed;
}

// A name from the command line as the system takes it: UTF-8 on Windows, which the wide
// functions are then given; elsewhere the bytes as they are.
std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

void Report(const std::string& file, vb::SourcePosition at, Msg kind, const std::string& message) {
    std::cerr << Say(Msg::AtPlace, {Shown(file), std::to_string(at.line), std::to_string(at.column),
                                    Say(kind), message});
}

// Warnings, or errors with --require-fit, for texts that may not fit the window.
int ReportFit(const std::string& source, const vb::AikenParse& parsed, bool required) {
    int count = 0;
    for (const auto& q : parsed.questions) {
        for (const auto& problem :
             vb::FindFitProblems(q.record, vornikat::banktool::SpokenLanguage())) {
            const auto at = problem.text == 0
                                ? q.question
                                : q.options[static_cast<std::size_t>(problem.text - 1)];
            Report(source, at, required ? Msg::Error : Msg::Warning, problem.message);
            ++count;
        }
    }
    return count;
}

// The bytes of SOURCE, or nothing once why they cannot be read is told.
std::optional<std::string> ReadSource(const std::string& source) {
    vornikat::WholeFile whole = vornikat::ReadRegularFile(PathOf(source));
    if (whole.problem != vornikat::OpenProblem::None) {
        std::cerr << Say(
            Msg::CannotReadSource,
            {Shown(source), Chosen(vornikat::ExplainOpenProblem(whole.problem, whole.error))});
        return std::nullopt;
    }
    return std::move(whole.bytes);
}

// The Aiken text of SOURCE parsed, its errors reported.
vb::AikenParse ParseAikenSource(const std::string& source, std::string_view bytes) {
    // Any encoding and line ends an author's editor saves in.
    vb::AikenParse parsed = vb::ParseAiken(vb::DecodeBankText(bytes).utf8, vb::kMaxReportedErrors,
                                           vornikat::banktool::SpokenLanguage());
    for (const auto& error : parsed.errors) {
        Report(source, error.at, Msg::Error, error.message);
    }
    if (parsed.stoppedEarly) {
        std::cerr << Say(Msg::StoppedAfter, {Shown(source), std::to_string(parsed.errors.size())});
    }
    return parsed;
}

// A source another tool exported, its questions added to records; false once what keeps it from
// data.bin (or, with requireFit, from the window) is told at its lines.
bool ReadImported(const std::string& source, std::string_view bytes, vb::SourceFormat format,
                  bool requireFit, std::vector<vornikat::QuestionRecord>& records) {
    const vb::DraftBank draft =
        vb::ReadBankSource(bytes, format, vornikat::banktool::SpokenLanguage());
    for (const auto& error : draft.errors) {
        Report(source, error.at, Msg::Error, error.message);
    }
    const vb::DraftErrors problems =
        draft.stoppedEarly ? vb::DraftErrors{}
                           : vb::FindDraftErrors(draft, vornikat::banktool::SpokenLanguage());
    for (const auto& error : problems.errors) {
        Report(source, error.at, Msg::Error, error.message);
    }
    if (draft.skipped > 0) {
        std::cerr << Say(Msg::Skipped,
                         {Shown(source), vornikat::banktool::CountQuestions(
                                             static_cast<std::uint64_t>(draft.skipped))});
    }
    if (draft.stoppedEarly || problems.stoppedEarly) {
        std::cerr << Say(
            Msg::StoppedAfter,
            {Shown(source), std::to_string(draft.errors.size() + problems.errors.size())});
    }
    if (!draft.errors.empty() || !problems.errors.empty()) {
        return false;
    }
    int fitProblems = 0;
    for (const auto& q : draft.questions) {
        for (const auto& problem :
             vb::FindFitProblems(q.record, vornikat::banktool::SpokenLanguage())) {
            Report(source, q.at, requireFit ? Msg::Error : Msg::Warning, problem.message);
            ++fitProblems;
        }
        records.push_back(q.record);
    }
    return !requireFit || fitProblems == 0;
}

// SOURCE's questions in the form --from names or its name and content tell; nothing once what
// keeps them from data.bin is told.
std::optional<std::vector<vornikat::QuestionRecord>> ReadQuestions(
    const std::string& source, std::optional<vb::SourceFormat> from, bool requireFit) {
    const auto bytes = ReadSource(source);
    if (!bytes) {
        return std::nullopt;
    }
    const vb::SourceFormat format = from ? *from : vb::DetectSourceFormat(source, *bytes);
    std::vector<vornikat::QuestionRecord> records;
    if (format != vb::SourceFormat::Aiken) {
        if (!ReadImported(source, *bytes, format, requireFit, records)) {
            return std::nullopt;
        }
        return records;
    }
    const vb::AikenParse parsed = ParseAikenSource(source, *bytes);
    const int fitProblems = parsed.errors.empty() ? ReportFit(source, parsed, requireFit) : 0;
    if (!parsed.errors.empty() || (requireFit && fitProblems > 0)) {
        return std::nullopt;
    }
    records.reserve(parsed.questions.size());
    for (const auto& q : parsed.questions) {
        records.push_back(q.record);
    }
    return records;
}

int Build(int argc, char** argv) {
    const ParsedArgs args = ParseArgs(argc, argv, OptionSet::Build);
    if (args.problem) {
        return UsageError("build", *args.problem);
    }
    if (args.help) {
        std::cout << Say(Msg::BuildHelp);
        return kOk;
    }
    if (args.operands.empty()) {
        return UsageError("build", Say(Msg::NoSource));
    }
    if (args.operands.size() > 1) {
        return UsageError("build", Say(Msg::OneSourceOnly, {Shown(args.operands[1])}));
    }
    if (args.outputs.size() != 1) {
        return UsageError("build", Say(args.outputs.empty() ? Msg::NoOutput : Msg::OneOutputOnly));
    }
    std::optional<vb::SourceFormat> from;
    if (!args.from.empty()) {
        from = vb::SourceFormatNamed(args.from.back());
        if (!from) {
            return UsageError("build", Say(Msg::UnknownFormat, {Shown(args.from.back())}));
        }
    }
    const std::string& source = args.operands[0];
    const std::string& output = args.outputs[0];
    if (source.empty() || output.empty()) {
        return UsageError("build", Say(Msg::EmptyName));
    }
    const auto questions = ReadQuestions(source, from, args.requireFit);
    if (!questions) {
        std::cerr << Say(Msg::NotWritten, {Shown(output)});
        return kFailed;
    }
    const std::vector<vornikat::QuestionRecord>& records = *questions;
    const std::filesystem::path target = PathOf(output);
    if (vornikat::IsWriteProtected(target)) {
        std::cerr << Say(Msg::ReadOnly, {Shown(output)});
        return kFailed;
    }
    std::error_code sameError;
    if (std::filesystem::equivalent(PathOf(source), target, sameError)) {
        std::cerr << Say(Msg::SourceItself, {Shown(output)});
        return kFailed;
    }
    // The player's own place may not be there yet on a fresh install: its folders are made.
    std::error_code folderError;
    if (target.has_parent_path() && !std::filesystem::exists(target.parent_path(), folderError)) {
        std::filesystem::create_directories(target.parent_path(), folderError);
        if (folderError) {
            std::cerr << Say(
                Msg::FolderCannotBeMade,
                {Shown(output), InRussian() ? vornikat::ExplainWriteError(folderError).russian
                                            : folderError.message()});
            return kFailed;
        }
    }
    // What builds of this bank left when they were killed goes first, so that none outlives
    // this one even if it is killed in its turn.
    vornikat::RemoveLeftoverTempFiles(target);
    try {
        vornikat::WriteFileAtomically(target, vornikat::WriteQuestionBank(records));
    } catch (const std::system_error& error) {
        std::cerr << Say(Msg::FileError,
                         {Shown(output), Chosen(vornikat::ExplainWriteError(error.code()))});
        return kFailed;
    } catch (const std::exception& error) {
        std::cerr << Say(Msg::FileError, {Shown(output), error.what()});
        return kFailed;
    }
    return kOk;
}

// The bank opened to be read as far as it goes, or nothing once why it cannot be is told.
std::optional<vornikat::FileStream> OpenBank(const std::string& path, Msg refusal) {
    vornikat::FileStream file = vornikat::OpenRegularFileStream(PathOf(path));
    if (file.problem != vornikat::OpenProblem::None) {
        std::cerr << Say(
            refusal, {Shown(path), Chosen(vornikat::ExplainOpenProblem(file.problem, file.error))});
        return std::nullopt;
    }
    return file;
}

// The bank's questions as the quiz loads them, read no further than the bank goes, or nothing
// once the reason the quiz refuses it is told.
std::optional<std::vector<vornikat::QuestionRecord>> LoadBank(const std::string& path) {
    auto file = OpenBank(path, Msg::CannotOpenBank);
    if (!file) {
        return std::nullopt;
    }
    try {
        return vornikat::ReadQuestionRecords(*file->source);
    } catch (const vornikat::BankReadError& error) {
        std::cerr << Say(Msg::BankRefused,
                         {Shown(path), std::to_string(error.Offset()),
                          vb::DescribeReadError(error, vornikat::banktool::SpokenLanguage())});
    } catch (const std::exception& error) {
        std::cerr << Say(Msg::CannotReadBank, {Shown(path), error.what()});
    }
    return std::nullopt;
}

// The one data.bin a command reads, or the status to end with: 0 once the help is printed.
std::optional<int> ReadBankOperand(int argc, char** argv, std::string_view command, Msg help,
                                   std::string& path) {
    const ParsedArgs args = ParseArgs(argc, argv, OptionSet::Read);
    if (args.problem) {
        return UsageError(command, *args.problem);
    }
    if (args.help) {
        std::cout << Say(help);
        return kOk;
    }
    if (args.operands.size() != 1) {
        return UsageError(command, args.operands.empty()
                                       ? Say(Msg::NoBank)
                                       : Say(Msg::OneBankOnly, {Shown(args.operands[1])}));
    }
    path = args.operands[0];
    if (path.empty()) {
        return UsageError(command, Say(Msg::EmptyName));
    }
    return std::nullopt;
}

int Dump(int argc, char** argv) {
    std::string path;
    if (const auto status = ReadBankOperand(argc, argv, "dump", Msg::DumpHelp, path)) {
        return *status;
    }
    const auto records = LoadBank(path);
    if (!records) {
        return kFailed;
    }
    const vb::AikenText aiken =
        vb::FormatAiken(*records, vb::kMaxReportedErrors, vornikat::banktool::SpokenLanguage());
    for (const auto& problem : aiken.problems) {
        std::cerr << Say(Msg::FileError, {Shown(path), problem});
    }
    if (!aiken.problems.empty()) {
        if (aiken.stoppedEarly) {
            std::cerr << Say(Msg::StoppedAfter,
                             {Shown(path), std::to_string(aiken.problems.size())});
        }
        std::cerr << Say(Msg::AikenCannotExpress, {Shown(path)});
        return kFailed;
    }
    std::cout << aiken.text << std::flush;
    return std::cout ? kOk : kFailed;
}

int CheckBank(const std::string& path) {
    auto file = OpenBank(path, Msg::CannotOpenRefused);
    if (!file) {
        return kFailed;
    }
    const vb::CheckReport report =
        vb::CheckBank(*file->source, file->size, vornikat::banktool::SpokenLanguage());
    if (!report.loads) {
        std::cerr << Say(Msg::FileError, {Shown(path), report.summary});
        return kFailed;
    }
    std::cout << Say(Msg::FileSummary, {Shown(path), report.summary});
    for (const auto& warning : report.warnings) {
        std::cerr << Say(Msg::FileWarning, {Shown(path), warning});
    }
    return kOk;
}

int Check(int argc, char** argv) {
    std::string path;
    if (const auto status = ReadBankOperand(argc, argv, "check", Msg::CheckHelp, path)) {
        return *status;
    }
    return CheckBank(path);
}

// An Aiken text checked as a build reads it, and nothing written.
int CheckText(const std::string& source) {
    const auto questions = ReadQuestions(source, std::nullopt, false);
    if (!questions) {
        return kFailed;
    }
    std::cout << Say(Msg::TextChecked,
                     {Shown(source), vornikat::banktool::CountQuestions(questions->size()),
                      ForCommandLine(source)});
    return kOk;
}

// A file named alone, as the system names one dropped on the program: checked by what it holds,
// a data.bin as "check" reads it, a text as "build" does. Nothing is written: a bank built
// beside it could replace the quiz's own.
int CheckDropped(const std::string& path) {
    vornikat::FileStream file = vornikat::OpenRegularFileStream(PathOf(path));
    if (file.problem != vornikat::OpenProblem::None) {
        return CheckBank(path);
    }
    std::array<std::uint8_t, 4096> head{};
    const std::size_t got = file.source->Read(head.data(), head.size());
    const std::string_view start(reinterpret_cast<const char*>(head.data()), got);
    file.source.reset();
    const bool binary = start.find('\0') != std::string_view::npos && !vb::StartsAsUtf16(start);
    return binary ? CheckBank(path) : CheckText(path);
}

int Run(std::vector<std::string> arguments) {
    std::vector<char*> pointers;
    for (auto& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    const int argc = static_cast<int>(arguments.size());
    char** const argv = pointers.data();
    // The options before the command are the tool's own; the command's follow it.
    const ParsedArgs global = ParseArgs(argc, argv, OptionSet::Tool);
    if (global.problem) {
        return UsageError("", *global.problem);
    }
    if (global.help) {
        std::cout << Say(Msg::MainHelp);
        return kOk;
    }
    if (global.version) {
        std::cout << Say(Msg::Version, {VORNIKAT_VERSION});
        return kOk;
    }
    if (global.operands.empty()) {
        return UsageError("", Say(Msg::NoCommand));
    }
    const int commandArgc = static_cast<int>(global.operands.size());
    char** const commandArgv = argv + (argc - commandArgc);
    const std::string_view command = commandArgv[0];
    if (command == "help") {
        std::cout << Say(Msg::MainHelp);
        return kOk;
    }
    if (command == "build") {
        return Build(commandArgc, commandArgv);
    }
    if (command == "dump") {
        return Dump(commandArgc, commandArgv);
    }
    if (command == "check") {
        return Check(commandArgc, commandArgv);
    }
    // A name alone that stands for a file, or looks like one, is checked, and what keeps it
    // from being read is told; a word alone is a mistyped command.
    std::error_code error;
    if (commandArgc == 1 &&
        (std::filesystem::exists(std::filesystem::symlink_status(PathOf(commandArgv[0]), error)) ||
         command.find_first_of("./\\") != std::string_view::npos)) {
        return CheckDropped(commandArgv[0]);
    }
    return UsageError("", Say(Msg::UnknownCommand, {Shown(command)}));
}

}  // namespace

int main(int argc, char** argv) {
    vornikat::banktool::SpeakLanguage(vornikat::banktool::FindUserLanguage());
    const vornikat::banktool::ConsoleSession console;
    return Run(vornikat::banktool::ReadArguments(argc, argv));
}
