// SPDX-License-Identifier: MIT
#include "console_session.hpp"

#ifdef _WIN32
// The system's own header first: the others build on it.
#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdio>
#include <iostream>
#include <utility>

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

// How many of the bytes end where a character ends: a sequence cut short at the end is left
// out. Bytes that are no UTF-8 at all go on, to be shown as replacement characters.
std::size_t MeasureWholeCharacters(std::string_view bytes) {
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;
        }
        const std::size_t length = byte >= 0xF8   ? 1
                                   : byte >= 0xF0 ? 4
                                   : byte >= 0xE0 ? 3
                                   : byte >= 0xC0 ? 2
                                                  : 1;
        return length > back ? size - back : size;
    }
    return size;
}

bool WriteToConsole(HANDLE console, std::wstring_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written,
                           nullptr) ||
            written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

// Null where the handle is no console: a file or a pipe gets the UTF-8 bytes themselves.
std::unique_ptr<Utf16Output> OutputToConsole(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode)) {
        return nullptr;
    }
    return std::make_unique<Utf16Output>(
        [handle](std::wstring_view text) { return WriteToConsole(handle, text); });
}

}  // namespace

Utf16Output::Utf16Output(Write write) : write_(std::move(write)) {}

// A character cut short by the end of the run still shows, as a replacement character.
Utf16Output::~Utf16Output() {
    WriteWholeCharacters(true);
}

Utf16Output::int_type Utf16Output::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    pending_.push_back(traits_type::to_char_type(c));
    return WriteWholeCharacters(false) ? c : traits_type::eof();
}

std::streamsize Utf16Output::xsputn(const char* bytes, std::streamsize count) {
    pending_.append(bytes, static_cast<std::size_t>(count));
    return WriteWholeCharacters(false) ? count : 0;
}

int Utf16Output::sync() {
    return WriteWholeCharacters(false) ? 0 : -1;
}

bool Utf16Output::WriteWholeCharacters(bool evenSplitOnes) {
    const std::size_t whole = evenSplitOnes ? pending_.size() : MeasureWholeCharacters(pending_);
    if (whole == 0) {
        return true;
    }
    const int size = static_cast<int>(whole);
    const int wideSize = MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, wide.data(), wideSize);
    pending_.erase(0, whole);
    return write_(wide);
}

ConsoleSession::ConsoleSession()
    : outputCodePage_(GetConsoleOutputCP()),
      out_(OutputToConsole(STD_OUTPUT_HANDLE)),
      err_(OutputToConsole(STD_ERROR_HANDLE)) {
    if (outputCodePage_ != 0) {
        SetConsoleOutputCP(CP_UTF8);
    }
    // The Aiken text goes out byte for byte as on Linux, not with its line ends made CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
    if (out_) {
        savedOut_ = std::cout.rdbuf(out_.get());
    }
    if (err_) {
        savedErr_ = std::cerr.rdbuf(err_.get());
    }
}

ConsoleSession::~ConsoleSession() {
    if (OwnsItsConsole()) {
        std::cout.flush();
        std::cerr << Say(Msg::PressAnyKey) << std::flush;
        _getch();
        std::cerr << '\n';
    }
    if (out_) {
        std::cout.flush();
        std::cout.rdbuf(savedOut_);
    }
    if (err_) {
        std::cerr.flush();
        std::cerr.rdbuf(savedErr_);
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
