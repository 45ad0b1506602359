#include "atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace vornikat {
namespace {

// Temporary names are "<name>.new-" and six characters, as mkstemp would make them.
constexpr std::string_view kTempInfix = ".new-";
constexpr std::size_t kTempSuffixLength = 6;

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
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

// Closes the descriptor and removes the temporary file unless the rename took it.
class TempFile {
  public:
    TempFile(const std::filesystem::path& target, mode_t mode) {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device seed;
        std::minstd_rand pick(seed());
        for (int attempt = 0; fd_ < 0; ++attempt) {
            std::string name = target.filename().string() + std::string(kTempInfix);
            for (std::size_t i = 0; i < kTempSuffixLength; ++i) {
                name += kLetters[pick() % (sizeof kLetters - 1)];
            }
            path_ = FolderOf(target) / name;
            // O_EXCL never reuses a file someone else left.
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ < 0 && (errno != EEXIST || attempt == 99)) {
                Fail("cannot create a temporary file beside", target);
            }
        }
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd_, old.st_mode & 07777) != 0) {
            Fail("cannot keep the mode of", target);
        }
    }
    ~TempFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Fail("cannot write", path_);
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        if (::fsync(fd_) != 0) {
            Fail("cannot flush", path_);
        }
        if (::close(std::exchange(fd_, -1)) != 0) {
            Fail("cannot close", path_);
        }
    }

    void RenameTo(const std::filesystem::path& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
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

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    std::filesystem::path file = path;
    std::error_code error;
    // The system gives up on longer chains too.
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, error); ++hops) {
        const auto target = std::filesystem::read_symlink(file, error);
        if (error) {
            break;
        }
        file = target.is_absolute() ? target : FolderOf(file) / target;
    }
    return file;
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         mode_t mode) {
    const auto file = FollowLinks(target);
    TempFile temp(file, mode);
    temp.Write(bytes);
    ReachFaultPoint("written");
    temp.RenameTo(file);
    ReachFaultPoint("renamed");
    // The rename itself reaches the disk with the folder; a failure here loses nothing.
    const int dir = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void RemoveLeftoverTempFiles(const std::filesystem::path& target) {
    const auto file = FollowLinks(target);
    const std::string prefix = file.filename().string() + std::string(kTempInfix);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(file), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == prefix.size() + kTempSuffixLength && name.starts_with(prefix)) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

}  // namespace vornikat
