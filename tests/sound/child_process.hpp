// SPDX-License-Identifier: MIT
// A program run by a test in the background, with an environment of the test's choosing and
// its output in a file; killed when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vornikat::testing {

// The test's own environment with some variables replaced or, given as empty, removed.
std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& changes);

// True when a program of this name is on PATH.
bool OnPath(const std::string& program);

class ChildProcess {
  public:
    // Looks the program up on PATH; standard output and error go to outputFile.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::filesystem::path& outputFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Signal(int signal);
    // The exit status, or nullopt when it ended by a signal or did not end in time (then it is
    // killed).
    std::optional<int> Wait(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
};

// Runs a program to its end and gives its exit status, as Wait does.
std::optional<int> RunToEnd(const std::vector<std::string>& argv,
                            const std::vector<std::string>& environment,
                            const std::filesystem::path& outputFile,
                            std::chrono::milliseconds timeout);

}  // namespace vornikat::testing
