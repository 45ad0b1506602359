// SPDX-License-Identifier: MIT
#include "atomic_file.hpp"

#include <windows.h>

#include <algorithm>
#include <cerrno>
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

// The temporary file of this process beside the target.
std::filesystem::path TemporaryFor(const std::filesystem::path& target, DWORD process) {
    std::filesystem::path temporary = target;
    temporary += L".tmp-" + std::to_wstring(process);
    return temporary;
}

// Whether the process of that id has ended, or never was.
bool IsGone(DWORD process) {
    const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (handle == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
}

// Only a regular file is replaced: a folder, a pipe, a socket or a device (NUL, CON) at the name
// is the system's or another program's, and the move would put a file in its place.
void RefuseWhatIsNoFile(const std::filesystem::path& target) {
    const auto refuse = [&target](int error) {
        throw std::system_error(error, std::generic_category(),
                                reinterpret_cast<const char*>(target.u8string().c_str()));
    };
    const DWORD size = GetFullPathNameW(target.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size > 0 && GetFullPathNameW(target.c_str(), size, full.data(), nullptr) > 0 &&
        full.starts_with(LR"(\\.\)")) {
        refuse(ENOTSUP);
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        refuse(EISDIR);
    }
    const HANDLE existing =
        CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        // What a Unix socket answers through Wine (ERROR_NO_SUCH_DEVICE).
        if (GetLastError() == 433) {
            refuse(ENOTSUP);
        }
        return;
    }
    const DWORD type = GetFileType(existing);
    CloseHandle(existing);
    if (type != FILE_TYPE_DISK) {
        refuse(ENOTSUP);
    }
}

}  // namespace

void RemoveLeftoverTempFiles(const std::filesystem::path& target) {
    const std::wstring prefix = target.filename().wstring() + L".tmp-";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             target.parent_path().empty() ? L"." : target.parent_path(), error)) {
        const std::wstring name = entry.path().filename().wstring();
        if (!name.starts_with(prefix) || name.size() == prefix.size() ||
            name.find_first_not_of(L"0123456789", prefix.size()) != std::wstring::npos ||
            name.size() - prefix.size() > 10 || !entry.is_regular_file(error)) {
            continue;
        }
        const auto process = static_cast<DWORD>(std::stoull(name.substr(prefix.size())));
        if (process != GetCurrentProcessId() && IsGone(process)) {
            DeleteFileW(entry.path().c_str());
        }
    }
}

bool IsWriteProtected(const std::filesystem::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    RefuseWhatIsNoFile(target);
    // Beside the target, on its volume, so that the move is a rename; the process id keeps two
    // writers apart.
    const std::filesystem::path temporary = TemporaryFor(target, GetCurrentProcessId());
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
