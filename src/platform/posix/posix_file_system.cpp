// SPDX-License-Identifier: MIT
#include "posix_file_system.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "bank_location.hpp"
#include "cp1251.hpp"
#include "file_source.hpp"
#include "text.hpp"

namespace vornikat {

std::string NativePath(std::string_view cp1251Path) {
    return ToUtf8(DecodeCp1251(cp1251Path));
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

std::unique_ptr<ByteSource> OpenRegularFile(const std::filesystem::path& path) {
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; O_NOCTTY keeps a
    // terminal from becoming ours.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    return AdoptFileSource(file);
}

void PosixFileSystem::MakeProgramDirectoryCurrent() {
    // Where the executable cannot be found the current folder stays; the bank's loader then
    // reports the missing file.
    const auto folder = ProgramFolder();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::current_path(folder, error);
    }
}

PosixFileSystem::PosixFileSystem(std::filesystem::path bank)
    : bank_(bank), unreadable_(UnreadableBankLine("vornikat", bank.native())) {}

std::unique_ptr<ByteSource> PosixFileSystem::OpenForReading(std::string_view name) {
    if (name == "data.bin" && bank_) {
        return bank_->empty() ? nullptr : OpenRegularFile(*bank_);
    }
    return OpenRegularFile(NativePath(name));
}

bool PosixFileSystem::FileExists(std::string_view path) {
    struct stat status {};
    return !path.empty() && ::stat(NativePath(path).c_str(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

void PosixFileSystem::ReportUnreadableFile(std::string_view name) {
    if (name == "data.bin" && bank_) {
        std::fprintf(stderr, "%s\n", unreadable_.c_str());
    }
}

}  // namespace vornikat
