// SPDX-License-Identifier: MIT
#include "bank_bytes.hpp"

#include <cstdio>
#include <map>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "bank_check.hpp"
#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"
#include "russian_plural.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
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

std::string DescribePosition(SourcePosition at) {
    return "строка " + std::to_string(at.line) + ", знак " + std::to_string(at.column) + ": ";
}

// The same message at many places is said once, with where it first stands and how often.
std::vector<std::string> GroupErrors(const std::vector<Diagnostic>& errors) {
    std::vector<std::string> order;
    std::map<std::string, std::pair<SourcePosition, int>> seen;
    for (const auto& error : errors) {
        auto [at, fresh] = seen.try_emplace(error.message, error.at, 0);
        ++at->second.second;
        if (fresh) {
            order.push_back(error.message);
        }
    }
    std::vector<std::string> lines;
    for (const auto& message : order) {
        const auto& [at, count] = seen.at(message);
        std::string line = DescribePosition(at) + message;
        if (count > 1) {
            line += " (и ещё " + std::to_string(count - 1) + " " +
                    std::string(RussianPlural(count - 1, "раз", "раза", "раз")) + " ниже)";
        }
        lines.push_back(line);
    }
    return lines;
}

std::optional<OpenedBank> ParseText(std::string_view bytes, const ParseProgress& progress) {
    // Any encoding and line ends an author's editor saves in. What is still wrong opens as a
    // draft, flagged at its field; only a text that is no bank at all opens nothing.
    const DecodedText text = DecodeBankText(bytes);
    DraftBank draft = ReadAikenDraft(text.utf8, Language::Russian, progress);
    if (draft.cancelled) {
        return std::nullopt;
    }
    if (draft.questions.empty() && !draft.errors.empty()) {
        throw NoQuestionInText(draft.errors.front().message + ".");
    }
    OpenedBank opened;
    opened.questions = std::move(draft.questions);
    opened.form = {text.encoding, text.lineEnds};
    opened.unread = GroupErrors(draft.errors);
    if (draft.stoppedEarly) {
        opened.unread.emplace_back("…");
    }
    return opened;
}

}  // namespace

BankFormat FormatOfBankBytes(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos || StartsAsUtf16(bytes) ? BankFormat::Aiken
                                                                              : BankFormat::Binary;
}

OpenedBank ParseBinaryBank(ByteSource& source) {
    try {
        std::vector<QuestionRecord> records = ReadQuestionRecords(source);
        OpenedBank opened;
        opened.format = BankFormat::Binary;
        opened.questions.resize(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            opened.questions[i].record = std::move(records[i]);
        }
        return opened;
    } catch (const BankReadError& error) {
        throw BankFileError("Викторина не загрузит этот банк: байт " +
                            std::to_string(error.Offset()) + ": " +
                            DescribeReadError(error, Language::Russian) + ".");
    }
}

std::optional<OpenedBank> ParseBankBytes(std::string_view bytes, const ParseProgress& progress) {
    if (FormatOfBankBytes(bytes) == BankFormat::Binary) {
        MemorySource source(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        return ParseBinaryBank(source);
    }
    return ParseText(bytes, progress);
}

std::string DescribeTextForm(const TextForm& form) {
    std::string encoding;
    switch (form.encoding) {
        case TextEncoding::Utf8:
            encoding = "UTF-8";
            break;
        case TextEncoding::Utf8WithMark:
            encoding = "UTF-8 с BOM";
            break;
        case TextEncoding::Utf16LittleEndian:
            encoding = "UTF-16LE";
            break;
        case TextEncoding::Utf16BigEndian:
            encoding = "UTF-16BE";
            break;
        case TextEncoding::Windows1251:
            encoding = "Windows-1251";
            break;
    }
    switch (form.lineEnds) {
        case LineEnds::Lf:
            return encoding;
        case LineEnds::CrLf:
            return encoding + ", CRLF";
        case LineEnds::Cr:
            return encoding + ", CR";
    }
    return encoding;
}

std::string NameLetter(char32_t letter) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(letter));
    return "«" + Utf8Of(letter) + "» (" + code + ")";
}

LetterOutsideEncoding::LetterOutsideEncoding(char32_t letter)
    : BankFileError("в кодировке файла нет такого знака"), letter_(letter) {}

std::vector<std::uint8_t> EncodeBank(std::span<const DraftQuestion> questions, BankFormat format,
                                     TextForm form) {
    if (format == BankFormat::Binary) {
        std::vector<QuestionRecord> records;
        records.reserve(questions.size());
        for (const auto& question : questions) {
            records.push_back(question.record);
        }
        try {
            return WriteQuestionBank(records);
        } catch (const BankWriteError& error) {
            throw BankFileError(error.what());
        }
    }
    const AikenText text = FormatAikenDraft(questions, kMaxReportedErrors, Language::Russian);
    if (!text.problems.empty()) {
        throw BankFileError("Текст Aiken не может передать этот банк:" +
                            JoinLines(text.problems, text.stoppedEarly));
    }
    const EncodedText encoded = EncodeBankText(text.text, form.encoding, form.lineEnds);
    if (encoded.missing != 0) {
        throw LetterOutsideEncoding(encoded.missing);
    }
    return {encoded.bytes.begin(), encoded.bytes.end()};
}

ImportedBank ImportBankBytes(std::string_view bytes, std::string_view fileName,
                             std::optional<SourceFormat> format) {
    const SourceFormat form = format.value_or(DetectSourceFormat(fileName, bytes));
    DraftBank draft = ReadBankSource(bytes, form, Language::Russian);
    ImportedBank imported;
    imported.skipped = draft.skipped;
    imported.questions = std::move(draft.questions);
    for (const auto& error : draft.errors) {
        imported.errors.push_back(DescribePosition(error.at) + error.message);
    }
    if (draft.stoppedEarly) {
        imported.errors.emplace_back("…");
    }
    return imported;
}

}  // namespace vornikat::bank
