#include "win32_file_system.hpp"

#include <windows.h>

#include <string>

#include "file_source.hpp"

namespace vornikat::win32 {

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
    return OpenFileSource(std::string(name));
}

bool Win32FileSystem::FileExists(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    // The path is in the system's code page, which the single-byte function speaks.
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace vornikat::win32
