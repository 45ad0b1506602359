// SPDX-License-Identifier: MIT
// A bank brought in from a file another tool exported (GIFT, Moodle XML, CSV), as the editor
// takes it: the questions that came in, how many were skipped, and what could not be read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bank_bytes.hpp"
#include "bank_source.hpp"
#include "question_bank.hpp"

namespace vornikat::editor {

using bank::ImportedBank;

// The form by the file's name and content unless one is given. Throws BankFileError when the
// file cannot be read.
ImportedBank ImportBankFile(const std::filesystem::path& path,
                            std::optional<bank::SourceFormat> format = std::nullopt);

}  // namespace vornikat::editor
