#include "posix_file_system.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "cp1251.hpp"
#include "file_source.hpp"
#include "text.hpp"

namespace vornikat {

std::string NativePath(std::string_view cp1251Path) {
    return ToUtf8(DecodeCp1251(cp1251Path));
}

void PosixFileSystem::MakeProgramDirectoryCurrent() {
    // Where the executable cannot be found the current folder stays; the bank's loader then
    // reports the missing file.
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        std::filesystem::current_path(executable.parent_path(), error);
    }
}

std::unique_ptr<ByteSource> PosixFileSystem::OpenForReading(std::string_view name) {
    return OpenFileSource(NativePath(name));
}

bool PosixFileSystem::FileExists(std::string_view path) {
    struct stat status {};
    return !path.empty() && ::stat(NativePath(path).c_str(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

}  // namespace vornikat
