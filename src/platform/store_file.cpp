#include "store_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <thread>

namespace vornikat {
namespace {

StoreState StateOf(const struct stat& info) {
    StoreState state;
    state.status = S_ISREG(info.st_mode) ? StoreState::Status::Read : StoreState::Status::Failed;
    state.device = info.st_dev;
    state.inode = info.st_ino;
    state.size = info.st_size;
    state.modified = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    return state;
}

}  // namespace

StoreState LookAtStoreFile(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        StoreState state;
        state.status = errno == ENOENT ? StoreState::Status::Missing : StoreState::Status::Failed;
        return state;
    }
    return StateOf(info);
}

StoreState ReadStoreFile(const std::filesystem::path& file, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    // Non-blocking, so that a pipe put at the path cannot make the open wait for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return LookAtStoreFile(file);
    }
    struct stat info {};
    StoreState state;
    if (::fstat(fd, &info) == 0) {
        state = StateOf(info);
    }
    if (state.status == StoreState::Status::Read) {
        // One byte past the cap is enough to tell a file too large, however it grew.
        bytes.resize(std::min(static_cast<std::size_t>(info.st_size), maxBytes) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == bytes.size()) {
                if (done > maxBytes) {
                    break;
                }
                bytes.resize(std::min(done * 2, maxBytes + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                state.status = n < 0 ? StoreState::Status::Failed : state.status;
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
        state.status = done > maxBytes ? StoreState::Status::TooLarge : state.status;
    }
    ::close(fd);
    if (state.status != StoreState::Status::Read) {
        bytes.clear();
    }
    return state;
}

StoreLock::StoreLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    // Polled rather than blocking, so a copy that hangs while holding it cannot hang this one.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (fd_ >= 0 && !held_) {
        held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
        if (!held_ && ((errno != EWOULDBLOCK && errno != EINTR) ||
                       std::chrono::steady_clock::now() >= deadline)) {
            return;
        }
        if (!held_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

StoreLock::~StoreLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

bool MakePrivateFolders(const std::filesystem::path& folder) {
    std::filesystem::path path;
    for (const auto& part : folder) {
        path /= part;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    std::error_code error;
    return folder.empty() || std::filesystem::is_directory(folder, error);
}

std::optional<std::filesystem::path> SetFileAside(const std::filesystem::path& file) {
    for (int n = 1; n <= 1000; ++n) {
        std::filesystem::path aside = file;
        aside += n == 1 ? std::string(".unreadable") : ".unreadable." + std::to_string(n);
        // A hard link never takes a name that is in use, and leaves the file where it was
        // until the new one is renamed over it.
        if (::link(file.c_str(), aside.c_str()) == 0) {
            return aside;
        }
        if (errno == EEXIST) {
            continue;
        }
        // A file system without hard links: a plain rename to a name that was free.
        std::error_code error;
        if (!std::filesystem::exists(aside, error) && ::rename(file.c_str(), aside.c_str()) == 0) {
            return aside;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace vornikat
