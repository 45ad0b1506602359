// SPDX-License-Identifier: MIT
// vornikat-bank: turns question banks written as Aiken text into data.bin, prints a data.bin as
// Aiken text, and says whether the program will load a data.bin; in the language of its user.
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
#include "bank_text.hpp"
#include "bank_writer.hpp"
#include "console_session.hpp"
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
    std::vector<std::string> outputs;
    std::vector<std::string> operands;
    std::optional<std::string> problem;
};

enum LongOnly : int { kVersion = 256, kRequireFit };

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
            case ':':
                parsed.problem = Say(Msg::OptionNeedsArgument, {Shown(argv[optind - 1])});
                return parsed;
            default:
                parsed.problem = Say(Msg::UnknownOption,
                                     {optopt != 0 && optopt < 256
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

// The Aiken text of SOURCE read and its errors reported, or nothing when it cannot be read.
std::optional<vb::AikenParse> ParseSource(const std::string& source) {
    vornikat::WholeFile whole = vornikat::ReadRegularFile(PathOf(source));
    if (whole.problem != vornikat::OpenProblem::None) {
        std::cerr << Say(
            Msg::CannotReadSource,
            {Shown(source), Chosen(vornikat::ExplainOpenProblem(whole.problem, whole.error))});
        return std::nullopt;
    }
    // Any encoding and line ends an author's editor saves in.
    vb::AikenParse parsed =
        vb::ParseAiken(vb::DecodeBankText(whole.bytes).utf8, vb::kMaxReportedErrors,
                       vornikat::banktool::SpokenLanguage());
    for (const auto& error : parsed.errors) {
        Report(source, error.at, Msg::Error, error.message);
    }
    if (parsed.stoppedEarly) {
        std::cerr << Say(Msg::StoppedAfter, {Shown(source), std::to_string(parsed.errors.size())});
    }
    return parsed;
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
    const std::string& source = args.operands[0];
    const std::string& output = args.outputs[0];
    if (source.empty() || output.empty()) {
        return UsageError("build", Say(Msg::EmptyName));
    }
    const bool requireFit = args.requireFit;
    const auto parsed = ParseSource(source);
    if (!parsed) {
        return kFailed;
    }
    const int fitProblems = parsed->errors.empty() ? ReportFit(source, *parsed, requireFit) : 0;
    if (!parsed->errors.empty() || (requireFit && fitProblems > 0)) {
        std::cerr << Say(Msg::NotWritten, {Shown(output)});
        return kFailed;
    }
    std::vector<vornikat::QuestionRecord> records;
    records.reserve(parsed->questions.size());
    for (const auto& q : parsed->questions) {
        records.push_back(q.record);
    }
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
    const auto parsed = ParseSource(source);
    if (!parsed) {
        return kFailed;
    }
    if (!parsed->errors.empty()) {
        return kFailed;
    }
    ReportFit(source, *parsed, false);
    std::cout << Say(Msg::TextChecked,
                     {Shown(source), vornikat::banktool::CountQuestions(parsed->questions.size())});
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
    std::error_code error;
    if (commandArgc == 1 && std::filesystem::is_regular_file(PathOf(commandArgv[0]), error)) {
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
