#include "atomic_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace vornikat::bank {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

// Closes the descriptor and removes the temporary file unless the rename took it.
class TempFile {
  public:
    explicit TempFile(const std::filesystem::path& target) {
        const auto folder = target.has_parent_path() ? target.parent_path() : ".";
        for (int attempt = 0; fd_ < 0; ++attempt) {
            path_ = folder / ("." + target.filename().string() + ".tmp-" +
                              std::to_string(getpid()) + "-" + std::to_string(attempt));
            // O_EXCL never reuses a file someone else left; 0666 lets the umask decide.
            fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt == 99)) {
                Fail("cannot create a temporary file beside", target);
            }
        }
    }
    ~TempFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
        if (!renamed_) {
            unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t n = write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Fail("cannot write", path_);
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        if (fsync(fd_) != 0) {
            Fail("cannot flush", path_);
        }
        const int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0) {
            Fail("cannot close", path_);
        }
    }

    void RenameTo(const std::filesystem::path& target) {
        if (rename(path_.c_str(), target.c_str()) != 0) {
            Fail("cannot replace", target);
        }
        renamed_ = true;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    TempFile temp(target);
    temp.Write(bytes);
    temp.RenameTo(target);
    // The rename itself reaches the disk with the folder; a failure here loses nothing.
    const auto folder = target.has_parent_path() ? target.parent_path() : ".";
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

}  // namespace vornikat::bank
