// SPDX-License-Identifier: MIT
#include "bank_import.hpp"

#include "bank_file.hpp"
#include "regular_file.hpp"

namespace vornikat::editor {

ImportedBank ImportBankFile(const std::filesystem::path& path,
                            std::optional<bank::SourceFormat> format) {
    const WholeFile whole = ReadRegularFile(path);
    if (whole.problem != OpenProblem::None) {
        throw BankFileError(DescribeOpenProblem(whole.problem, whole.error));
    }
    const bank::SourceFormat form =
        format.value_or(bank::DetectSourceFormat(path.filename().string(), whole.bytes));
    bank::DraftBank draft = bank::ReadBankSource(whole.bytes, form, bank::Language::Russian);
    ImportedBank imported;
    imported.skipped = draft.skipped;
    imported.questions = std::move(draft.questions);
    for (const auto& error : draft.errors) {
        imported.errors.push_back("строка " + std::to_string(error.at.line) + ", знак " +
                                  std::to_string(error.at.column) + ": " + error.message);
    }
    if (draft.stoppedEarly) {
        imported.errors.emplace_back("…");
    }
    return imported;
}

}  // namespace vornikat::editor
