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
    // The form holds five options and flags the rest of what the draft lacks at its field.
    imported.questions.reserve(draft.questions.size());
    for (auto& question : draft.questions) {
        imported.optionsLeftOut += question.optionCount > 5 ? 1 : 0;
        imported.questions.push_back(std::move(question.record));
    }
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
