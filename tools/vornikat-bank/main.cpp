// SPDX-License-Identifier: MIT
// vornikat-bank: turns question banks written as Aiken text, or exported by other tools as GIFT,
// Moodle XML or CSV, into data.bin, prints a data.bin as
// Aiken text, and says whether the program will load a data.bin.
#include <getopt.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
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
#include "draft_check.hpp"
#include "file_source.hpp"
#include "layout_fit.hpp"
#include "regular_file.hpp"
#include "terminal_text.hpp"

namespace vb = vornikat::bank;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr std::string_view kMainHelp = R"(usage: vornikat-bank COMMAND ARGS...

Turns question banks written as Aiken text into the quiz's data.bin and back.

commands:
  build SOURCE.txt -o data.bin   compile an Aiken text (or GIFT, Moodle XML, CSV) into a bank
  dump data.bin                  print a bank as Aiken text
  check data.bin                 say whether the quiz will load a bank

options:
  -h, --help       print this help
  --version        print the version

"vornikat-bank COMMAND --help" describes each command; "--" ends the options, so that a
file name may start with "-".
)";

constexpr std::string_view kBuildHelp =
    R"(usage: vornikat-bank build [--require-fit] [--from FORMAT] SOURCE.txt -o data.bin

Reads SOURCE.txt, Aiken text in UTF-8, and writes the bank data.bin. A question is one
line, then its five options labelled A) to E) (or A. to E.), then "ANSWER:" and the
letter of the right option. Blank lines are skipped.

  Что делает кнопка «Reset»?
  A) Перезагружает компьютер
  B) Сбрасывает настроение
  C) Удаляет интернет
  D) Включает турбо-режим
  E) Вызывает системного администратора
  ANSWER: A

Every character must exist in Windows-1251. Errors are reported as
FILE:LINE:COLUMN: error: ..., and on any error nothing is written. The bank goes to a
temporary file beside data.bin, which is renamed into place once it is complete.

A question that may not fit the quiz window (about four lines of 40 characters) or an
option longer than one line of its button (about 40 characters) gets a warning.

Questions exported by other tools are taken too, told by the file's extension (.gift,
.xml, .csv) or else by its content: GIFT and Moodle XML multiple-choice questions with
one right answer (other kinds are skipped, and their number told), and CSV as
spreadsheets save it: a row per question, its text, five options and the right one by
number (1-5) or letter (A-E), separated by "," or ";". Any of them may be UTF-8,
UTF-16 with a byte order mark or Windows-1251. A question that came in without five
options or a right one is an error at its line.

options:
  -o, --output FILE   the bank to write
  --from FORMAT       read SOURCE as aiken, gift, xml (Moodle XML) or csv, whatever
                      its name or content says
  --require-fit       make those warnings errors
  -h, --help          print this help
)";

constexpr std::string_view kDumpHelp = R"(usage: vornikat-bank dump data.bin

Prints the bank as Aiken text in UTF-8 on standard output, read the way the quiz reads it.
"vornikat-bank build" of that text gives back the same bank. A bank that Aiken cannot
express (an empty question, a text with a control character or with a blank at either
end, a right option outside 1 to 5) is an error naming the question and the text, and
nothing is printed.
)";

constexpr std::string_view kCheckHelp = R"(usage: vornikat-bank check data.bin

Reads the bank the way the quiz does. If the quiz will load it, prints the number of
questions and exits with status 0; warnings on standard error tell what loads but is odd:
a right option outside 1 to 5, an empty question text, units that are not exact
multiples of their factor, bytes after the end. If the quiz will refuse it, prints why
and at which byte, and exits with status 1.
)";

// A file's name as it was given, unless printing it would break the line or reach the terminal's
// controls: then quoted, with those bytes escaped. A plain name stays plain, so that
// "FILE:LINE:COLUMN" stays what editors read.
std::string Shown(std::string_view name) {
    std::string quoted = vornikat::QuoteForTerminal(name);
    return quoted.size() == name.size() + 2 ? std::string(name) : quoted;
}

// A wrong command line gets one line on what is wrong and where the help is, not the help.
int UsageError(std::string_view command, const std::string& problem) {
    const std::string name =
        command.empty() ? "vornikat-bank" : "vornikat-bank " + std::string(command);
    std::cerr << name << ": " << problem << "\nTry '" << name << " --help' for more information.\n";
    return kUsage;
}

// The options of one command, read by getopt_long from ARGS (ARGS[0] is the command's name),
// and what is left: its operands. "--" ends the options.
struct ParsedArgs {
    bool help = false;
    bool version = false;
    bool requireFit = false;
    std::vector<std::string> outputs;
    std::vector<std::string> from;
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
                parsed.problem = "option '" + Shown(argv[optind - 1]) + "' needs an argument";
                return parsed;
            default:
                parsed.problem = optopt != 0 && optopt < 256
                                     ? "unknown option '-" +
                                           Shown(std::string(1, static_cast<char>(optopt))) + "'"
                                     : "unknown option '" + Shown(argv[optind - 1]) + "'";
                return parsed;
        }
    }
    parsed.operands.assign(argv + optind, argv + argc);
    return parsed;
}

// One line on why the shared opener refused a file; it never waits on a pipe or a device.
std::string DescribeOpenProblem(const vornikat::OpenProblem problem, int error) {
    switch (problem) {
        case vornikat::OpenProblem::Folder:
            return "a folder, not a bank file";
        case vornikat::OpenProblem::Fifo:
            return "a named pipe, not a bank file";
        case vornikat::OpenProblem::Socket:
            return "a socket, not a bank file";
        case vornikat::OpenProblem::Device:
            return "a device, not a bank file";
        case vornikat::OpenProblem::DanglingLink:
            return "a symbolic link that leads nowhere";
        default:
            return std::strerror(error);
    }
}

// Why the bank was not written, in words of its own: the system's message would name the file
// again, as it is, beside the name already shown.
std::string DescribeWriteError(const std::error_code& error) {
    if (error == std::errc::is_a_directory) {
        return "a folder stands at that name, and it is not replaced";
    }
    if (error == std::errc::not_supported) {
        return "a pipe, a socket or a device stands at that name, not a regular file, and it is "
               "not replaced";
    }
    if (error == std::errc::too_many_symbolic_link_levels) {
        return "a loop of symbolic links stands at that name, and it is not replaced";
    }
    if (error == std::errc::no_such_file_or_directory) {
        return "cannot create a temporary file beside it: its folder does not exist";
    }
    return "not written: " + error.message();
}

// A name from the command line as the system takes it: on Windows the manifest makes the
// arguments UTF-8, which the wide functions are then given; elsewhere the bytes as they are.
std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& why) {
    vornikat::WholeFile whole = vornikat::ReadRegularFile(PathOf(path));
    if (whole.problem != vornikat::OpenProblem::None) {
        why = DescribeOpenProblem(whole.problem, whole.error);
        return std::nullopt;
    }
    return std::move(whole.bytes);
}

void Report(const std::string& file, vb::SourcePosition at, const char* kind,
            const std::string& message) {
    std::cerr << Shown(file) << ':' << at.line << ':' << at.column << ": " << kind << ": "
              << message << '\n';
}

// Warnings, or errors with --require-fit, for texts that may not fit the window.
int ReportFit(const std::string& source, const vb::AikenParse& parsed, bool required) {
    int count = 0;
    for (const auto& q : parsed.questions) {
        for (const auto& problem : vb::FindFitProblems(q.record)) {
            const auto at = problem.text == 0
                                ? q.question
                                : q.options[static_cast<std::size_t>(problem.text - 1)];
            Report(source, at, required ? "error" : "warning", problem.message);
            ++count;
        }
    }
    return count;
}

// A source another tool exported, read into records; false once what keeps it from data.bin is
// told at its lines.
bool ReadImported(const std::string& source, std::string_view bytes, vb::SourceFormat format,
                  bool requireFit, std::vector<vornikat::QuestionRecord>& records) {
    const vb::DraftBank draft = vb::ReadBankSource(bytes, format);
    for (const auto& error : draft.errors) {
        Report(source, error.at, "error", error.message);
    }
    const vb::DraftErrors problems =
        draft.stoppedEarly ? vb::DraftErrors{} : vb::FindDraftErrors(draft);
    for (const auto& error : problems.errors) {
        Report(source, error.at, "error", error.message);
    }
    if (draft.skipped > 0) {
        std::cerr << Shown(source) << ": note: " << draft.skipped
                  << (draft.skipped == 1 ? " question" : " questions")
                  << " skipped: the quiz asks only multiple-choice questions with one right "
                     "answer\n";
    }
    if (draft.stoppedEarly || problems.stoppedEarly) {
        std::cerr << Shown(source) << ": stopped after "
                  << draft.errors.size() + problems.errors.size() << " errors\n";
    }
    if (!draft.errors.empty() || !problems.errors.empty()) {
        return false;
    }
    int fitProblems = 0;
    for (const auto& q : draft.questions) {
        for (const auto& problem : vb::FindFitProblems(q.record)) {
            Report(source, q.at, requireFit ? "error" : "warning", problem.message);
            ++fitProblems;
        }
        records.push_back(q.record);
    }
    return !requireFit || fitProblems == 0;
}

int Build(int argc, char** argv) {
    const ParsedArgs args = ParseArgs(argc, argv, OptionSet::Build);
    if (args.problem) {
        return UsageError("build", *args.problem);
    }
    if (args.help) {
        std::cout << kBuildHelp;
        return kOk;
    }
    if (args.operands.empty()) {
        return UsageError("build", "no SOURCE.txt given");
    }
    if (args.operands.size() > 1) {
        return UsageError("build",
                          "one SOURCE.txt only, not also '" + Shown(args.operands[1]) + "'");
    }
    if (args.outputs.size() != 1) {
        return UsageError("build", args.outputs.empty() ? "no bank to write given (-o data.bin)"
                                                        : "one bank to write only (-o data.bin)");
    }
    std::optional<vb::SourceFormat> from;
    if (!args.from.empty()) {
        from = vb::SourceFormatNamed(args.from.back());
        if (!from) {
            return UsageError("build", "unknown format '" + Shown(args.from.back()) +
                                           "'; --from takes aiken, gift, xml or csv");
        }
    }
    const std::string& source = args.operands[0];
    const std::string& output = args.outputs[0];
    if (source.empty() || output.empty()) {
        return UsageError("build", "an empty name names no file");
    }
    const bool requireFit = args.requireFit;
    std::string why;
    const auto text = ReadWholeFile(source, why);
    if (!text) {
        std::cerr << Shown(source) << ": error: cannot read: " << why << '\n';
        return kFailed;
    }
    const vb::SourceFormat format = from ? *from : vb::DetectSourceFormat(source, *text);
    std::vector<vornikat::QuestionRecord> records;
    if (format != vb::SourceFormat::Aiken &&
        !ReadImported(source, *text, format, requireFit, records)) {
        std::cerr << Shown(output) << ": not written\n";
        return kFailed;
    }
    // Any encoding and line ends an author's editor saves in; an imported source has no Aiken
    // to parse.
    const vb::AikenParse parsed = format == vb::SourceFormat::Aiken
                                      ? vb::ParseAiken(vb::DecodeBankText(*text).utf8)
                                      : vb::AikenParse{};
    for (const auto& error : parsed.errors) {
        Report(source, error.at, "error", error.message);
    }
    if (parsed.stoppedEarly) {
        std::cerr << Shown(source) << ": stopped after " << parsed.errors.size() << " errors\n";
    }
    const int fitProblems = parsed.errors.empty() ? ReportFit(source, parsed, requireFit) : 0;
    if (!parsed.errors.empty() || (requireFit && fitProblems > 0)) {
        std::cerr << Shown(output) << ": not written\n";
        return kFailed;
    }
    records.reserve(records.size() + parsed.questions.size());
    for (const auto& q : parsed.questions) {
        records.push_back(q.record);
    }
    const std::filesystem::path target = PathOf(output);
    if (vornikat::IsWriteProtected(target)) {
        std::cerr << Shown(output) << ": error: read-only, and it is not replaced\n";
        return kFailed;
    }
    std::error_code sameError;
    if (std::filesystem::equivalent(PathOf(source), target, sameError)) {
        std::cerr << Shown(output) << ": error: it is SOURCE.txt itself, and it is not replaced\n";
        return kFailed;
    }
    // The player's own place may not be there yet on a fresh install: its folders are made.
    std::error_code folderError;
    if (target.has_parent_path() && !std::filesystem::exists(target.parent_path(), folderError)) {
        std::filesystem::create_directories(target.parent_path(), folderError);
        if (folderError) {
            std::cerr << Shown(output)
                      << ": error: its folder cannot be made: " << folderError.message() << '\n';
            return kFailed;
        }
    }
    // What builds of this bank left when they were killed goes first, so that none outlives
    // this one even if it is killed in its turn.
    vornikat::RemoveLeftoverTempFiles(target);
    try {
        vornikat::WriteFileAtomically(target, vornikat::WriteQuestionBank(records));
    } catch (const std::system_error& error) {
        std::cerr << Shown(output) << ": error: " << DescribeWriteError(error.code()) << '\n';
        return kFailed;
    } catch (const std::exception& error) {
        std::cerr << Shown(output) << ": error: " << error.what() << '\n';
        return kFailed;
    }
    return kOk;
}

// The bank as the quiz loads it, or nothing once the reason the quiz refuses it is told.
std::optional<vornikat::QuestionBank> LoadBank(const std::string& path) {
    std::string why;
    const auto content = ReadWholeFile(path, why);
    if (!content) {
        std::cerr << Shown(path) << ": error: cannot open: " << why << '\n';
        return std::nullopt;
    }
    try {
        vornikat::MemorySource file(
            std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size()));
        return vornikat::ReadQuestionBank(file);
    } catch (const vornikat::BankReadError& error) {
        std::cerr << Shown(path) << ": error: at byte " << error.Offset() << ": " << error.Reason()
                  << "; the quiz refuses this bank\n";
    } catch (const std::exception& error) {
        std::cerr << Shown(path) << ": error: cannot read: " << error.what() << '\n';
    }
    return std::nullopt;
}

// The one data.bin a command reads, or the status to end with: 0 once the help is printed.
std::optional<int> ReadBankOperand(int argc, char** argv, std::string_view command,
                                   std::string_view help, std::string& path) {
    const ParsedArgs args = ParseArgs(argc, argv, OptionSet::Read);
    if (args.problem) {
        return UsageError(command, *args.problem);
    }
    if (args.help) {
        std::cout << help;
        return kOk;
    }
    if (args.operands.size() != 1) {
        return UsageError(command, args.operands.empty() ? "no data.bin given"
                                                         : "one data.bin only, not also '" +
                                                               Shown(args.operands[1]) + "'");
    }
    path = args.operands[0];
    if (path.empty()) {
        return UsageError(command, "an empty name names no file");
    }
    return std::nullopt;
}

int Dump(int argc, char** argv) {
    std::string path;
    if (const auto status = ReadBankOperand(argc, argv, "dump", kDumpHelp, path)) {
        return *status;
    }
    const auto bank = LoadBank(path);
    if (!bank) {
        return kFailed;
    }
    const vb::AikenText aiken = vb::FormatAiken(vornikat::ToRecords(std::move(*bank)));
    for (const auto& problem : aiken.problems) {
        std::cerr << Shown(path) << ": error: " << problem << '\n';
    }
    if (!aiken.problems.empty()) {
        if (aiken.stoppedEarly) {
            std::cerr << Shown(path) << ": stopped after " << aiken.problems.size() << " errors\n";
        }
        std::cerr << Shown(path) << ": Aiken cannot express this bank; nothing printed\n";
        return kFailed;
    }
    std::cout << aiken.text << std::flush;
    return std::cout ? kOk : kFailed;
}

int Check(int argc, char** argv) {
    std::string path;
    if (const auto status = ReadBankOperand(argc, argv, "check", kCheckHelp, path)) {
        return *status;
    }
    std::string why;
    const auto content = ReadWholeFile(path, why);
    if (!content) {
        std::cerr << Shown(path) << ": error: cannot open: " << why << "; the quiz refuses it\n";
        return kFailed;
    }
    vornikat::MemorySource file(
        std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size()));
    const vb::CheckReport report = vb::CheckBank(file);
    if (!report.loads) {
        std::cerr << Shown(path) << ": error: " << report.summary << '\n';
        return kFailed;
    }
    std::cout << Shown(path) << ": " << report.summary << '\n';
    for (const auto& warning : report.warnings) {
        std::cerr << Shown(path) << ": warning: " << warning << '\n';
    }
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The Aiken text goes out byte for byte as on Linux, not with its line ends made CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // The options before the command are the tool's own; the command's follow it.
    const ParsedArgs global = ParseArgs(argc, argv, OptionSet::Tool);
    if (global.problem) {
        return UsageError("", *global.problem);
    }
    if (global.help) {
        std::cout << kMainHelp;
        return kOk;
    }
    if (global.version) {
        std::cout << "vornikat-bank " VORNIKAT_VERSION "\n";
        return kOk;
    }
    if (global.operands.empty()) {
        return UsageError("", "no command given");
    }
    const int commandArgc = static_cast<int>(global.operands.size());
    char** const commandArgv = argv + (argc - commandArgc);
    const std::string_view command = commandArgv[0];
    if (command == "help") {
        std::cout << kMainHelp;
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
    return UsageError("", "unknown command '" + Shown(command) + "'");
}
