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

ToolRun RunBankTool(const std::vector<std::string>& args);

}  // namespace vornikat::testing
