// SPDX-License-Identifier: MIT
#include "console_session.hpp"

#ifdef _WIN32
// The system's own header first: the others build on it.
#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>

#include "tool_messages.hpp"
#endif

namespace vornikat::banktool {

#ifdef _WIN32
namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    }
    return utf8;
}

// Only this process is attached to its console: the system made the console for it, and the
// console goes with it.
bool OwnsItsConsole() {
    DWORD processes[2];
    DWORD mode = 0;
    return GetConsoleProcessList(processes, 2) == 1 &&
           GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
}

}  // namespace

ConsoleSession::ConsoleSession() : outputCodePage_(GetConsoleOutputCP()) {
    if (outputCodePage_ != 0) {
        SetConsoleOutputCP(CP_UTF8);
    }
    // The Aiken text goes out byte for byte as on Linux, not with its line ends made CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
}

ConsoleSession::~ConsoleSession() {
    if (OwnsItsConsole()) {
        std::cout.flush();
        std::cerr << Say(Msg::PressAnyKey) << std::flush;
        _getch();
        std::cerr << '\n';
    }
    if (outputCodePage_ != 0) {
        SetConsoleOutputCP(outputCodePage_);
    }
}

std::vector<std::string> ReadArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(ToUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}
#else
ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

std::vector<std::string> ReadArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
#endif

}  // namespace vornikat::banktool
