// SPDX-License-Identifier: MIT
#include "bank_file.hpp"

#include <fstream>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "atomic_file.hpp"
#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"

namespace vornikat::editor {
namespace {

std::string JoinLines(const std::vector<std::string>& lines, bool stoppedEarly) {
    std::string joined;
    for (const auto& line : lines) {
        joined += "\n" + line;
    }
    if (stoppedEarly) {
        joined += "\n…";
    }
    return joined;
}

OpenedBank ParseBinary(std::string_view bytes) {
    MemorySource source(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    try {
        return {ToRecords(ReadQuestionBank(source)), BankFormat::Binary};
    } catch (const BankReadError& error) {
        throw BankFileError("Викторина не загрузит этот банк: байт " +
                            std::to_string(error.Offset()) + ": " + error.Reason());
    }
}

OpenedBank ParseText(std::string_view bytes) {
    bank::AikenParse parsed = bank::ParseAiken(bytes);
    if (!parsed.errors.empty()) {
        std::vector<std::string> lines;
        for (const auto& error : parsed.errors) {
            lines.push_back(std::to_string(error.at.line) + ":" + std::to_string(error.at.column) +
                            ": " + error.message);
        }
        throw BankFileError("В тексте Aiken есть ошибки:" + JoinLines(lines, parsed.stoppedEarly));
    }
    OpenedBank opened;
    opened.questions.reserve(parsed.questions.size());
    for (auto& question : parsed.questions) {
        opened.questions.push_back(std::move(question.record));
    }
    return opened;
}

}  // namespace

BankFormat FormatOfContent(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos ? BankFormat::Aiken : BankFormat::Binary;
}

OpenedBank ParseBank(std::string_view bytes) {
    return FormatOfContent(bytes) == BankFormat::Binary ? ParseBinary(bytes) : ParseText(bytes);
}

OpenedBank ReadBankFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        throw BankFileError("Файл не открывается для чтения.");
    }
    std::string content(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    if (!file.read(content.data(), static_cast<std::streamsize>(content.size()))) {
        throw BankFileError("Файл не читается до конца.");
    }
    return ParseBank(content);
}

std::vector<std::uint8_t> EncodeBank(std::span<const QuestionRecord> questions, BankFormat format) {
    if (format == BankFormat::Binary) {
        try {
            return WriteQuestionBank(questions);
        } catch (const BankWriteError& error) {
            throw BankFileError(error.what());
        }
    }
    const bank::AikenText text = bank::FormatAiken(questions);
    if (!text.problems.empty()) {
        throw BankFileError("Текст Aiken не может передать этот банк:" +
                            JoinLines(text.problems, text.stoppedEarly));
    }
    return {text.text.begin(), text.text.end()};
}

void WriteBankFile(const std::filesystem::path& path, std::span<const QuestionRecord> questions,
                   BankFormat format) {
    const std::vector<std::uint8_t> bytes = EncodeBank(questions, format);
    try {
        WriteFileAtomically(path, bytes);
    } catch (const std::system_error& error) {
        throw BankFileError(std::string("Файл не записан: ") + error.what());
    }
}

}  // namespace vornikat::editor
