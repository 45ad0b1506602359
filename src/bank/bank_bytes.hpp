// SPDX-License-Identifier: MIT
// A bank's file as bytes, in either of its forms: Aiken text, as authors write it, and data.bin,
// as the quiz reads it, read and written in the editor's words; and the files other tools export
// brought in. The desktop editor and the editor page both build on it; the bytes are those of
// the bank tool for the same bank.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bank_source.hpp"
#include "bank_text.hpp"
#include "draft_bank.hpp"
#include "ports.hpp"
#include "question_bank.hpp"

namespace vornikat::bank {

enum class BankFormat { Aiken, Binary };

// Why a file could not be read or written, in words for the author.
class BankFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A text with no question in it at all: nothing opens.
class NoQuestionInText : public BankFileError {
  public:
    using BankFileError::BankFileError;
};

// The form an Aiken text came in, which its save keeps.
struct TextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnds lineEnds = LineEnds::Lf;
    friend bool operator==(const TextForm&, const TextForm&) = default;
};

// "Windows-1251, CRLF": the form a text came in, as the editor names it.
std::string DescribeTextForm(const TextForm& form);
// "«ё» (U+0451)".
std::string NameLetter(char32_t letter);

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
    std::vector<DraftQuestion> questions;
    BankFormat format = BankFormat::Aiken;
    TextForm form;
    // The lines of a text that belong to no question, in the author's words.
    std::vector<std::string> unread;
};

// Every text of a data.bin carries zero units, and Aiken text holds no NUL byte but in UTF-16,
// which starts with its byte order mark.
BankFormat FormatOfBankBytes(std::string_view bytes);

// A data.bin as the quiz reads it; throws BankFileError saying where and why the quiz refuses it.
OpenedBank ParseBinaryBank(ByteSource& source);
// Either form; nothing when the progress asked to stop. Throws BankFileError (NoQuestionInText
// for a text that is no bank at all) and reads nothing partly.
std::optional<OpenedBank> ParseBankBytes(std::string_view bytes,
                                         const ParseProgress& progress = {});

// The file's bytes; throws BankFileError when the questions cannot be stored in that form, and
// LetterOutsideEncoding when the text's encoding cannot hold one of their letters.
std::vector<std::uint8_t> EncodeBank(std::span<const DraftQuestion> questions, BankFormat format,
                                     TextForm form = {});

// A bank brought in from another tool's file: the questions that came in, how many were
// skipped, and what could not be read.
struct ImportedBank {
    std::vector<DraftQuestion> questions;  // as drafts: the form flags what they lack
    int skipped = 0;                       // questions of kinds the quiz cannot ask
    std::vector<std::string> errors;  // "строка L, знак C: ..." for what could not be read
};

// The form by the file's name and content unless one is given.
ImportedBank ImportBankBytes(std::string_view bytes, std::string_view fileName,
                             std::optional<SourceFormat> format = std::nullopt);

}  // namespace vornikat::bank
