// SPDX-License-Identifier: MIT
// Why a file a user named was not read or not written, in the words every program of ours uses:
// the bank tool's English, and the Russian of the editor and of the tool on a Russian system.
// Each is a phrase to follow a name or a colon, not a sentence of its own.
#pragma once

#include <string>
#include <system_error>

#include "regular_file.hpp"

namespace vornikat {

struct FileProblemText {
    std::string english;
    std::string russian;
};

// Why the shared opener refused a file; `error` is its errno value where the reason has one.
FileProblemText ExplainOpenProblem(OpenProblem problem, int error);
// Why a file was not replaced, from what WriteFileAtomically threw.
FileProblemText ExplainWriteError(const std::error_code& error);

}  // namespace vornikat
