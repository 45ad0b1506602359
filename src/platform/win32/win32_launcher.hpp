// SPDX-License-Identifier: MIT
// Starting another program on Windows, by its path, without waiting for it.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Launcher : public LauncherPort {
  public:
    // The path is a text of the system's code page, as the registry gives it.
    bool StartProgram(std::string_view path) override;
    // Windows names its information tool in the registry; there is nothing else to try.
    std::string FindFallbackSystemInfoTool() override { return {}; }
    char PathSeparator() const override { return '\\'; }
};

}  // namespace vornikat::win32
