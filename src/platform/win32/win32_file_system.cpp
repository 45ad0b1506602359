// SPDX-License-Identifier: MIT
#include "win32_file_system.hpp"

#include <windows.h>

#include <algorithm>
#include <string>

#include "runtime_error.hpp"
#include "terminal_text.hpp"

namespace vornikat::win32 {
namespace {

class HandleSource : public ByteSource {
  public:
    explicit HandleSource(HANDLE file) : file_(file) {}
    ~HandleSource() override { CloseHandle(file_); }
    HandleSource(const HandleSource&) = delete;
    HandleSource& operator=(const HandleSource&) = delete;

    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t total = 0;
        while (total < size) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - total, 1 << 20));
            DWORD got = 0;
            if (!ReadFile(file_, buffer + total, want, &got, nullptr)) {
                throw RuntimeError(err::kFileAccess);
            }
            if (got == 0) {
                break;
            }
            total += got;
        }
        return total;
    }

  private:
    HANDLE file_;
};

std::wstring WidePath(std::string_view systemCodePage) {
    if (systemCodePage.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, systemCodePage.data(),
                                         static_cast<int>(systemCodePage.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, systemCodePage.data(), static_cast<int>(systemCodePage.size()),
                        wide.data(), size);
    return wide;
}

std::string ToUtf8(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

// The bank's name in quotes, escaped as every program of ours prints a name: a newline or ESC
// in it neither breaks the line nor reaches the console's controls.
std::string UnreadableBankLine(const std::wstring& bank) {
    return "Vornikat: the question bank " + QuoteForTerminal(ToUtf8(bank)) + " cannot be read";
}

// Without a bank named, data.bin beside the program is the one place looked at.
std::string DescribeMissingBank(const std::wstring& beside) {
    if (GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return UnreadableBankLine(beside);
    }
    return "Vornikat: no question bank found; looked for " + QuoteForTerminal(ToUtf8(beside));
}

void WriteLine(HANDLE output, const std::string& line) {
    const std::string bytes = line + "\r\n";
    DWORD written = 0;
    WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

std::unique_ptr<ByteSource> OpenDiskFile(const std::wstring& path) {
    // A folder cannot be opened without backup semantics, and a pipe with no free instance
    // fails at once; what opens is kept only if it is a file on a disk.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<HandleSource>(file);
}

void Win32FileSystem::MakeProgramDirectoryCurrent() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return;  // data.bin is then looked for where we are, and its absence reported
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        path.resize(slash + 1);
        SetCurrentDirectoryW(path.c_str());
    }
}

std::unique_ptr<ByteSource> Win32FileSystem::OpenForReading(std::string_view name) {
    if (name == "data.bin" && !bank_.empty()) {
        return OpenDiskFile(bank_);
    }
    return OpenDiskFile(WidePath(name));
}

bool Win32FileSystem::FileExists(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    // The path is in the system's code page, which the single-byte function speaks.
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32FileSystem::ReportUnreadableFile(std::string_view name) {
    // A windowed program has a standard error only when its starter gave it one.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (name != "data.bin" || error == nullptr || error == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line =
        bank_.empty() ? DescribeMissingBank(FullPath(L"data.bin")) : UnreadableBankLine(bank_);
    WriteLine(error, line);
}

}  // namespace vornikat::win32
