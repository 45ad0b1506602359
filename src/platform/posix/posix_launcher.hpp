// SPDX-License-Identifier: MIT
// Starting other programs on a POSIX system.
#pragma once

#include <string>
#include <string_view>

#include "ports.hpp"

namespace vornikat {

class PosixLauncher final : public LauncherPort {
  public:
    // Runs the file at path with no arguments and no shell, in a session of its own, and does
    // not wait for it. True once the program has replaced the started process.
    bool StartProgram(std::string_view path) override;
    // The first system-information program found on PATH, in Windows-1251; empty if none.
    std::string FindFallbackSystemInfoTool() override;
    char PathSeparator() const override { return '/'; }
};

// True for a regular file that this process may execute.
bool IsExecutableFile(const std::string& nativePath);

// The first name found as an executable file in one of the folders of searchPath (a
// colon-separated list as in PATH; empty and relative entries are skipped, so nothing is
// run from the current folder). Empty when none is found.
std::string FindExecutable(std::string_view searchPath, std::initializer_list<const char*> names);

// The first system-information program found in searchPath, in Windows-1251; empty if none
// is found or its path has no spelling in that code page.
std::string FindSystemInfoTool(std::string_view searchPath);

}  // namespace vornikat
