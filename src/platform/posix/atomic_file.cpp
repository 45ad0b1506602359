// SPDX-License-Identifier: MIT
#include "posix_atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <system_error>

namespace vornikat {
namespace {

// A temporary file is named "." (hidden), the file's name, ".vornikat-save-" and six small
// letters or digits: a name no one else gives a file, recognised in full, so that the
// clean-up never takes a file of the player's such as registry.reg.new-backup.
constexpr std::string_view kTempInfix = ".vornikat-save-";
constexpr std::size_t kTempSuffixLength = 6;
constexpr std::string_view kTempLetters = "abcdefghijklmnopqrstuvwxyz0123456789";

// Appended piece by piece: "." + a temporary string trips GCC 12's -Wrestrict.
std::string TempPrefix(const std::filesystem::path& file) {
    std::string prefix = ".";
    prefix += file.filename().string();
    prefix += kTempInfix;
    return prefix;
}

// One of ours: the whole name is the pattern, and it is a regular file of this user's.
bool IsLeftoverTempFile(const std::filesystem::path& path, std::string_view prefix) {
    const std::string name = path.filename().string();
    if (name.size() != prefix.size() + kTempSuffixLength || !name.starts_with(prefix) ||
        name.find_first_not_of(kTempLetters, prefix.size()) != std::string::npos) {
        return false;
    }
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid();
}

// In the tests' builds a write dies at the point VORNIKAT_KILL_AT names, as a kill or a power
// cut would end it there.
void ReachFaultPoint([[maybe_unused]] std::string_view point) {
#ifdef VORNIKAT_FAULT_POINTS
    if (const char* at = std::getenv("VORNIKAT_KILL_AT"); at != nullptr && at == point) {
        std::raise(SIGKILL);
    }
#endif
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The file that a chain of symbolic links at the path ends in; the path itself when it is no
// link. The end need not exist.
std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    std::filesystem::path file = path;
    std::error_code error;
    // The system gives up on longer chains too.
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, error); ++hops) {
        const auto next = std::filesystem::read_symlink(file, error);
        if (error) {
            break;
        }
        file = FolderOf(file) / next;
    }
    return file;
}

}  // namespace

bool IsWriteProtected(const std::filesystem::path& target) {
    const auto file = FollowLinks(target);
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return false;
    }
    // The mode's own bits count as much as the system's answer, which for root is always yes.
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(file.c_str(), W_OK) != 0;
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         mode_t mode) {
    const auto file = FollowLinks(target);
    // Only a regular file is replaced: a pipe, a socket or a device at the name is the system's
    // or another program's, and the rename would put a file in its place. A chain of links
    // that never ends is the author's mistake, which a rename would hide.
    struct stat old {};
    const bool replacing = ::stat(file.c_str(), &old) == 0;
    if (!replacing && errno == ELOOP) {
        throw std::system_error(ELOOP, std::generic_category(),
                                "cannot replace " + file.string() + ", a loop of links");
    }
    if (replacing && !S_ISREG(old.st_mode)) {
        throw std::system_error(
            S_ISDIR(old.st_mode) ? EISDIR : ENOTSUP, std::generic_category(),
            "cannot replace " + file.string() + ", which is not a regular file");
    }
    std::filesystem::path temp;
    int fd = -1;
    // Closes and removes the temporary file, and tells why.
    const auto fail = [&](const std::string& what) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        throw std::system_error(error, std::generic_category(), what + " " + file.string());
    };
    std::minstd_rand pick(std::random_device{}());
    for (int attempt = 0; fd < 0; ++attempt) {
        std::string name = TempPrefix(file);
        for (std::size_t i = 0; i < kTempSuffixLength; ++i) {
            name += kTempLetters[pick() % kTempLetters.size()];
        }
        temp = FolderOf(file) / name;
        // O_EXCL never reuses a file someone else left.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && (errno != EEXIST || attempt == 99)) {
            throw std::system_error(errno, std::generic_category(),
                                    "cannot create a temporary file beside " + file.string());
        }
    }
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) {
        fail("cannot keep the mode of");
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0 && errno != EINTR) {
            fail("cannot write");
        }
        done += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
    }
    if (::fsync(fd) != 0) {
        fail("cannot flush");
    }
    ReachFaultPoint("written");
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        fail("cannot replace");
    }
    ::close(fd);
    ReachFaultPoint("renamed");
    // The rename itself reaches the disk with the folder; a failure here loses nothing.
    const int folder = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    WriteFileAtomically(target, bytes, 0666);
}

void RemoveLeftoverTempFiles(const std::filesystem::path& target) {
    const auto file = FollowLinks(target);
    const std::string prefix = TempPrefix(file);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(file), error)) {
        if (IsLeftoverTempFile(entry.path(), prefix)) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

}  // namespace vornikat
