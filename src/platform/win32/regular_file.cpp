// SPDX-License-Identifier: MIT
#include "regular_file.hpp"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace vornikat {
namespace {

// ERROR_NO_SUCH_DEVICE, which the SDK's headers of this build do not name yet.
constexpr DWORD kNoSuchDevice = 433;

// The full path, in the form that no length limit applies to: "\\?\" before a drive's path and
// "\\?\UNC\" before a share's. A device's name (NUL, CON, COM1) comes back as "\\.\NUL" and
// stays so.
std::wstring FullLongPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)")) {
        return full;
    }
    if (full.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + full.substr(2);
    }
    return LR"(\\?\)" + full;
}

WholeFile Refused(OpenProblem problem, int error = 0) {
    WholeFile whole;
    whole.problem = problem;
    whole.error = error;
    return whole;
}

// Why the system would not open the file, in the words every program of ours uses.
WholeFile RefusedFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return Refused(OpenProblem::Missing, ENOENT);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return Refused(OpenProblem::NotPermitted, EACCES);
        case ERROR_FILENAME_EXCED_RANGE:
            return Refused(OpenProblem::Unreadable, ENAMETOOLONG);
        // What a Unix socket answers through Wine: it stands in the folder, but no file
        // opens there.
        case kNoSuchDevice:
            return Refused(OpenProblem::Socket);
        default:
            return Refused(OpenProblem::Unreadable, EIO);
    }
}

// Reads the opened file to its end in steps that the progress can stop.
WholeFile ReadOpenFile(HANDLE file, const ReadProgress& progress) {
    WholeFile whole;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    const auto total = static_cast<std::uint64_t>(size.QuadPart);
    whole.bytes.reserve(static_cast<std::size_t>(total));
    std::vector<char> chunk(std::size_t{1} << 20);
    for (;;) {
        if (progress && !progress(whole.bytes.size(), total)) {
            whole.cancelled = true;
            whole.bytes.clear();
            return whole;
        }
        DWORD got = 0;
        if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
            return Refused(OpenProblem::Unreadable, EIO);
        }
        if (got == 0) {
            return whole;
        }
        whole.bytes.append(chunk.data(), got);
    }
}

// A file open for reading, closed with this object.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// The open file as the bank reader reads it.
class HandleSource : public ByteSource {
  public:
    explicit HandleSource(HANDLE handle) : file_(handle) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t got = 0;
        while (got < size) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - got, 1 << 20));
            DWORD done = 0;
            if (!ReadFile(file_.Get(), buffer + got, want, &done, nullptr)) {
                throw std::system_error(EIO, std::generic_category(), "ReadFile");
            }
            if (done == 0) {
                break;
            }
            got += done;
        }
        return got;
    }

  private:
    FileHandle file_;
};

// The file opened by the rule of regular_file.hpp, or why it was refused; the caller closes it.
HANDLE OpenRegular(const std::filesystem::path& path, WholeFile& refusal) {
    if (path.empty()) {
        refusal = Refused(OpenProblem::Missing, ENOENT);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring full = FullLongPath(path.wstring());
    // A device answers by its name alone, and a console need not open to be one.
    if (full.starts_with(LR"(\\.\)")) {
        refusal = Refused(OpenProblem::Device);
        return INVALID_HANDLE_VALUE;
    }
    // Backup semantics open a folder too, so that it can be named; a pipe opens without
    // waiting for a writer.
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        refusal = RefusedFor(GetLastError());
        return file;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    switch (GetFileType(file)) {
        case FILE_TYPE_DISK:
            if (GetFileInformationByHandle(file, &information) &&
                (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                refusal = Refused(OpenProblem::Folder);
            } else {
                return file;
            }
            break;
        case FILE_TYPE_PIPE:
            refusal = Refused(OpenProblem::Fifo);
            break;
        default:
            refusal = Refused(OpenProblem::Device);
            break;
    }
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

WholeFile ReadRegularFile(const std::filesystem::path& path, const ReadProgress& progress) {
    WholeFile refusal;
    const FileHandle file(OpenRegular(path, refusal));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        return refusal;
    }
    return ReadOpenFile(file.Get(), progress);
}

FileStream OpenRegularFileStream(const std::filesystem::path& path) {
    WholeFile refusal;
    const HANDLE file = OpenRegular(path, refusal);
    FileStream stream;
    if (file == INVALID_HANDLE_VALUE) {
        stream.problem = refusal.problem;
        stream.error = refusal.error;
        return stream;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    stream.size = static_cast<std::uint64_t>(size.QuadPart);
    stream.source = std::make_unique<HandleSource>(file);
    return stream;
}

}  // namespace vornikat
