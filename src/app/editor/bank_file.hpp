// SPDX-License-Identifier: MIT
// Reading and writing a bank's file in either of its forms (bank_bytes.hpp, shared with the
// editor page): the file named, streamed or replaced whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bank_bytes.hpp"
#include "draft_bank.hpp"
#include "question_bank.hpp"
#include "regular_file.hpp"

namespace vornikat::editor {

using bank::BankFileError;
using bank::BankFormat;
using bank::EncodeBank;
using bank::LetterOutsideEncoding;
using bank::OpenedBank;
using bank::TextForm;

inline BankFormat FormatOfContent(std::string_view bytes) {
    return bank::FormatOfBankBytes(bytes);
}

// Only a regular file is read, and never waited on. Throws BankFileError and reads nothing
// partly; nothing when the progress, told of the reading and then of the parsing, asked to stop.
std::optional<OpenedBank> ReadBankFile(const std::filesystem::path& path,
                                       const ReadProgress& progress = {});
// Why the opener refused a file, in the author's words.
std::string DescribeOpenProblem(OpenProblem problem, int error);
// Nothing when the progress asked to stop.
std::optional<OpenedBank> ParseBank(std::string_view bytes, const ReadProgress& progress = {});

// Replaces the file whole or not at all; throws BankFileError.
void WriteBankFile(const std::filesystem::path& path,
                   std::span<const bank::DraftQuestion> questions, BankFormat format,
                   TextForm form = {});
void WriteBankFile(const std::filesystem::path& path, std::span<const QuestionRecord> questions,
                   BankFormat format);

}  // namespace vornikat::editor
