// SPDX-License-Identifier: MIT
#include "win32_launcher.hpp"

#include <windows.h>

#include <string>

namespace vornikat::win32 {

bool Win32Launcher::StartProgram(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    // The path is in the system's code page, which the single-byte functions speak. The program
    // is named on its own, so a path with spaces needs no quoting to be found; its command line
    // carries the quoted path as its first argument, as programs expect.
    const std::string program(path);
    std::string commandLine = "\"" + program + "\"";  // CreateProcessA may write to it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace vornikat::win32
