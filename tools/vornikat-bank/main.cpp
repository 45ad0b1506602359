// SPDX-License-Identifier: MIT
// vornikat-bank: turns question banks written as Aiken text into data.bin, prints a data.bin as
// Aiken text, and says whether the program will load a data.bin.
#include <cerrno>
#include <cstdio>
#include <cstring>
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
#include "bank_writer.hpp"
#include "file_source.hpp"
#include "layout_fit.hpp"
#include "regular_file.hpp"

namespace vb = vornikat::bank;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr std::string_view kMainHelp = R"(usage: vornikat-bank COMMAND ARGS...

Turns question banks written as Aiken text into the quiz's data.bin and back.

commands:
  build SOURCE.txt -o data.bin   compile an Aiken text into a bank
  dump data.bin                  print a bank as Aiken text
  check data.bin                 say whether the quiz will load a bank

"vornikat-bank COMMAND --help" describes each command.
)";

constexpr std::string_view kBuildHelp =
    R"(usage: vornikat-bank build [--require-fit] SOURCE.txt -o data.bin

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

options:
  -o FILE          the bank to write
  --require-fit    make those warnings errors
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

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

int Usage(std::string_view help) {
    std::cerr << help;
    return kUsage;
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

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& why) {
    vornikat::WholeFile whole = vornikat::ReadRegularFile(path);
    if (whole.problem != vornikat::OpenProblem::None) {
        why = DescribeOpenProblem(whole.problem, whole.error);
        return std::nullopt;
    }
    return std::move(whole.bytes);
}

void Report(const std::string& file, vb::SourcePosition at, const char* kind,
            const std::string& message) {
    std::cerr << file << ':' << at.line << ':' << at.column << ": " << kind << ": " << message
              << '\n';
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

int Build(const std::vector<std::string_view>& args) {
    std::string source;
    std::string output;
    bool requireFit = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (IsHelp(args[i])) {
            std::cout << kBuildHelp;
            return kOk;
        }
        if (args[i] == "-o" && i + 1 < args.size() && output.empty()) {
            output = args[++i];
        } else if (args[i] == "--require-fit") {
            requireFit = true;
        } else if (source.empty() && !args[i].starts_with('-')) {
            source = args[i];
        } else {
            return Usage(kBuildHelp);
        }
    }
    if (source.empty() || output.empty()) {
        return Usage(kBuildHelp);
    }
    std::string why;
    const auto text = ReadWholeFile(source, why);
    if (!text) {
        std::cerr << source << ": error: cannot read: " << why << '\n';
        return kFailed;
    }
    const vb::AikenParse parsed = vb::ParseAiken(*text);
    for (const auto& error : parsed.errors) {
        Report(source, error.at, "error", error.message);
    }
    if (parsed.stoppedEarly) {
        std::cerr << source << ": stopped after " << parsed.errors.size() << " errors\n";
    }
    const int fitProblems = parsed.errors.empty() ? ReportFit(source, parsed, requireFit) : 0;
    if (!parsed.errors.empty() || (requireFit && fitProblems > 0)) {
        std::cerr << output << ": not written\n";
        return kFailed;
    }
    std::vector<vornikat::QuestionRecord> records;
    records.reserve(parsed.questions.size());
    for (const auto& q : parsed.questions) {
        records.push_back(q.record);
    }
    try {
        vornikat::WriteFileAtomically(output, vornikat::WriteQuestionBank(records));
    } catch (const std::exception& error) {
        std::cerr << output << ": error: " << error.what() << '\n';
        return kFailed;
    }
    return kOk;
}

// The bank as the quiz loads it, or nothing once the reason the quiz refuses it is told.
std::optional<vornikat::QuestionBank> LoadBank(const std::string& path) {
    std::string why;
    const auto content = ReadWholeFile(path, why);
    if (!content) {
        std::cerr << path << ": error: cannot open: " << why << '\n';
        return std::nullopt;
    }
    try {
        vornikat::MemorySource file(
            std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size()));
        return vornikat::ReadQuestionBank(file);
    } catch (const vornikat::BankReadError& error) {
        std::cerr << path << ": error: at byte " << error.Offset() << ": " << error.Reason()
                  << "; the quiz refuses this bank\n";
    } catch (const std::exception& error) {
        std::cerr << path << ": error: cannot read: " << error.what() << '\n';
    }
    return std::nullopt;
}

int Dump(const std::vector<std::string_view>& args) {
    if (args.size() == 1 && IsHelp(args[0])) {
        std::cout << kDumpHelp;
        return kOk;
    }
    if (args.size() != 1) {
        return Usage(kDumpHelp);
    }
    const std::string path(args[0]);
    const auto bank = LoadBank(path);
    if (!bank) {
        return kFailed;
    }
    const vb::AikenText aiken = vb::FormatAiken(vornikat::ToRecords(std::move(*bank)));
    for (const auto& problem : aiken.problems) {
        std::cerr << path << ": error: " << problem << '\n';
    }
    if (!aiken.problems.empty()) {
        if (aiken.stoppedEarly) {
            std::cerr << path << ": stopped after " << aiken.problems.size() << " errors\n";
        }
        std::cerr << path << ": Aiken cannot express this bank; nothing printed\n";
        return kFailed;
    }
    std::cout << aiken.text << std::flush;
    return std::cout ? kOk : kFailed;
}

int Check(const std::vector<std::string_view>& args) {
    if (args.size() == 1 && IsHelp(args[0])) {
        std::cout << kCheckHelp;
        return kOk;
    }
    if (args.size() != 1) {
        return Usage(kCheckHelp);
    }
    const std::string path(args[0]);
    std::string why;
    const auto content = ReadWholeFile(path, why);
    if (!content) {
        std::cerr << path << ": error: cannot open: " << why << "; the quiz refuses it\n";
        return kFailed;
    }
    vornikat::MemorySource file(
        std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size()));
    const vb::CheckReport report = vb::CheckBank(file);
    if (!report.loads) {
        std::cerr << path << ": error: " << report.summary << '\n';
        return kFailed;
    }
    std::cout << path << ": " << report.summary << '\n';
    for (const auto& warning : report.warnings) {
        std::cerr << path << ": warning: " << warning << '\n';
    }
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage(kMainHelp);
    }
    const std::string_view command = argv[1];
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    if (IsHelp(command) || command == "help") {
        std::cout << kMainHelp;
        return kOk;
    }
    if (command == "build") {
        return Build(args);
    }
    if (command == "dump") {
        return Dump(args);
    }
    if (command == "check") {
        return Check(args);
    }
    std::cerr << "vornikat-bank: unknown command \"" << command << "\"\n\n";
    return Usage(kMainHelp);
}
