// SPDX-License-Identifier: MIT
#include "script_runner.hpp"

#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vornikat::testing {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("vornikat-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

ScriptRun RunScript(const std::filesystem::path& dir, const std::string& script,
                    const std::vector<std::string>& extraArgs, const std::string& searchPath) {
    const TempDir work;
    const auto input = work.Path() / "script.txt";
    std::ofstream(input) << script;
    // A run that hangs (a bank that waits for a writer, say) is ended and fails its test.
    constexpr int kPatienceSeconds = 10;
    constexpr int kTimedOut = 124;
    std::string command = "timeout -k 5 " + std::to_string(kPatienceSeconds) +
                          " env PATH=" + ShellQuote(searchPath) + " " +
                          ShellQuote(VORNIKAT_SCRIPT_PATH) + " --dir " + ShellQuote(dir.string());
    for (const auto& arg : extraArgs) {
        command += " " + ShellQuote(arg);
    }
    command += " < " + ShellQuote(input.string()) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    ScriptRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (run.status == kTimedOut || run.status == 128 + SIGKILL) {
        throw std::runtime_error("vornikat-script was still running after " +
                                 std::to_string(kPatienceSeconds) + " s and was ended: " + command);
    }
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        run.lines.push_back(line);
    }
    return run;
}

}  // namespace vornikat::testing
