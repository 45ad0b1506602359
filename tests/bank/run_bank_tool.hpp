// SPDX-License-Identifier: MIT
// Runs the vornikat-bank executable and gives back what it printed and its exit status.
#pragma once

#include <string>
#include <vector>

namespace vornikat::testing {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The tool runs with no locale variable but those `setup` sets, so that it speaks English unless
// told otherwise: shell words put before it, such as "LANG=ru_RU.UTF-8" or "ulimit -v 400000;".
ToolRun RunBankTool(const std::vector<std::string>& args, const std::string& setup = "LC_ALL=C");

}  // namespace vornikat::testing
