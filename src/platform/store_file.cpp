#include "store_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace vornikat {
namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        ::fsync(fd.Get());
    }
}

}  // namespace

StoreRead ReadStoreFile(const std::filesystem::path& file, std::size_t maxBytes) {
    StoreRead result;
    // Non-blocking, so that a pipe put at the path cannot make the open wait for a writer.
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT) {
            result.status = StoreRead::Status::Missing;
        }
        return result;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return result;
    }
    result.mode = info.st_mode & 07777;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.bytes.clear();
            return result;
        }
        if (n == 0) {
            break;
        }
        if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            result.bytes.clear();
            result.status = StoreRead::Status::TooLarge;
            return result;
        }
        result.bytes.insert(result.bytes.end(), buffer, buffer + n);
    }
    result.status = StoreRead::Status::Read;
    return result;
}

bool ReplaceStoreFile(const std::filesystem::path& file, const std::string& bytes, mode_t mode) {
    std::string pattern = file.string() + ".new-XXXXXX";
    Descriptor fd(::mkstemp(pattern.data()));
    if (fd.Get() < 0) {
        return false;
    }
    const bool written = ::fchmod(fd.Get(), mode) == 0 && WriteAll(fd.Get(), bytes) &&
                         ::fsync(fd.Get()) == 0 && ::close(fd.Release()) == 0 &&
                         ::rename(pattern.c_str(), file.c_str()) == 0;
    if (!written) {
        ::unlink(pattern.c_str());
        return false;
    }
    SyncFolder(file.parent_path());
    return true;
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
    return std::filesystem::is_directory(folder, error);
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
