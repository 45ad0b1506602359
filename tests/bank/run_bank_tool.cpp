// SPDX-License-Identifier: MIT
#include "run_bank_tool.hpp"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "script_runner.hpp"

namespace vornikat::testing {

ToolRun RunBankTool(const std::vector<std::string>& args, const std::string& setup) {
    const TempDir work;
    const auto errors = work.Path() / "stderr.txt";
    std::string command =
        "unset LC_ALL LC_MESSAGES LANG; " + setup + " " + ShellQuote(VORNIKAT_BANK_TOOL_PATH);
    for (const auto& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " 2>" + ShellQuote(errors.string());
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        throw std::runtime_error("cannot run " + command);
    }
    ToolRun run;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ostringstream err;
    err << std::ifstream(errors).rdbuf();
    run.err = err.str();
    return run;
}

}  // namespace vornikat::testing
