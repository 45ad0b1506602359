// SPDX-License-Identifier: MIT
// A bank brought in from a file another tool exported (GIFT, Moodle XML, CSV), as the editor
// takes it: the questions that came in, how many were skipped, and what could not be read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bank_source.hpp"
#include "question_bank.hpp"

namespace vornikat::editor {

struct ImportedBank {
    std::vector<bank::DraftQuestion> questions;  // as drafts: the form flags what they lack
    int skipped = 0;                             // questions of kinds the quiz cannot ask
    std::vector<std::string> errors;  // "строка L, знак C: ..." for what could not be read
};

// The form by the file's name and content unless one is given. Throws BankFileError when the
// file cannot be read.
ImportedBank ImportBankFile(const std::filesystem::path& path,
                            std::optional<bank::SourceFormat> format = std::nullopt);

}  // namespace vornikat::editor
