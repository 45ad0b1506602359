#include "win32_launcher.hpp"

#include <windows.h>

#include "wide_text.hpp"

namespace vornikat::win32 {

bool Win32Launcher::StartProgram(std::string_view path) {
    const std::wstring program = AnsiToWide(path);
    if (program.empty()) {
        return false;
    }
    // The program is named on its own, so a path with spaces needs no quoting to be found;
    // its command line carries the quoted path as its first argument, as programs expect.
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace vornikat::win32
