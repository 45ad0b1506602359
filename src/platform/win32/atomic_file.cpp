// SPDX-License-Identifier: MIT
#include "atomic_file.hpp"

#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

namespace vornikat {
namespace {

[[noreturn]] void ThrowLastError(const std::filesystem::path& file, const char* what) {
    const auto code = static_cast<int>(GetLastError());
    throw std::system_error(
        code, std::system_category(),
        reinterpret_cast<const char*>(file.u8string().c_str()) + std::string(": ") + what);
}

// Writes every byte to a new file that goes straight to the disk, and flushes it.
void WriteNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ThrowLastError(file, "cannot create");
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        if (!WriteFile(handle, bytes.data() + written, want, &done, nullptr) || done == 0) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            SetLastError(error);
            ThrowLastError(file, "cannot write");
        }
        written += done;
    }
    if (!FlushFileBuffers(handle)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        SetLastError(error);
        ThrowLastError(file, "cannot flush");
    }
    CloseHandle(handle);
}

}  // namespace

bool IsWriteProtected(const std::filesystem::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    // Beside the target, on its volume, so that the move is a rename; the process id keeps two
    // writers apart.
    std::filesystem::path temporary = target;
    temporary += L".tmp-" + std::to_wstring(GetCurrentProcessId());
    try {
        WriteNewFile(temporary, bytes);
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
        ThrowLastError(target, "cannot replace");
    }
}

}  // namespace vornikat
