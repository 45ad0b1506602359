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
    return bank::ImportBankBytes(whole.bytes, path.filename().string(), format);
}

}  // namespace vornikat::editor
