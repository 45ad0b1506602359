// SPDX-License-Identifier: MIT
// Reading and writing a bank in either of its forms: Aiken text, as authors write it, and
// data.bin, as the quiz reads it. The bytes are those of the bank tool for the same bank.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bank_text.hpp"
#include "draft_bank.hpp"
#include "question_bank.hpp"
#include "regular_file.hpp"

namespace vornikat::editor {

enum class BankFormat { Aiken, Binary };

// Why a file could not be read or written, in words for the author.
class BankFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The form an Aiken text came in, which its save keeps.
struct TextForm {
    bank::TextEncoding encoding = bank::TextEncoding::Utf8;
    bank::LineEnds lineEnds = bank::LineEnds::Lf;
    friend bool operator==(const TextForm&, const TextForm&) = default;
};

// A text in its form's encoding would lose a letter that encoding has no code for.
class LetterOutsideEncoding : public BankFileError {
  public:
    explicit LetterOutsideEncoding(char32_t letter);
    char32_t Letter() const { return letter_; }

  private:
    char32_t letter_;
};

struct OpenedBank {
    // A text's questions as its source gave them: the editor flags what is still wrong.
    std::vector<bank::DraftQuestion> questions;
    BankFormat format = BankFormat::Aiken;
    TextForm form;
    // The lines of a text that belong to no question, in the author's words.
    std::vector<std::string> unread;
};

// Every text of a data.bin carries zero units, and Aiken text holds no NUL byte but in UTF-16,
// which starts with its byte order mark.
BankFormat FormatOfContent(std::string_view bytes);

// Only a regular file is read, and never waited on. Throws BankFileError and reads nothing
// partly; nothing when the progress, told of the reading and then of the parsing, asked to stop.
std::optional<OpenedBank> ReadBankFile(const std::filesystem::path& path,
                                       const ReadProgress& progress = {});
// Why the opener refused a file, in the author's words.
std::string DescribeOpenProblem(OpenProblem problem, int error);
// Nothing when the progress asked to stop.
std::optional<OpenedBank> ParseBank(std::string_view bytes, const ReadProgress& progress = {});

// The file's bytes; throws BankFileError when the questions cannot be stored in that form, and
// LetterOutsideEncoding when the text's encoding cannot hold one of their letters.
std::vector<std::uint8_t> EncodeBank(std::span<const bank::DraftQuestion> questions,
                                     BankFormat format, TextForm form = {});
// Replaces the file whole or not at all; throws BankFileError.
void WriteBankFile(const std::filesystem::path& path,
                   std::span<const bank::DraftQuestion> questions, BankFormat format,
                   TextForm form = {});
void WriteBankFile(const std::filesystem::path& path, std::span<const QuestionRecord> questions,
                   BankFormat format);

}  // namespace vornikat::editor
