// SPDX-License-Identifier: MIT
#include "posix_file_system.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "bank_location.hpp"
#include "cp1251.hpp"
#include "file_source.hpp"
#include "regular_file_handle.hpp"
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
    RegularFile file = RegularFile::Open(path);
    if (file.Problem() != OpenProblem::None) {
        return nullptr;
    }
    const int fd = file.Release();
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        ::close(fd);
        return nullptr;
    }
    return AdoptFileSource(stream);
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
