// SPDX-License-Identifier: MIT
#include "regular_file_handle.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vornikat {
namespace {

OpenProblem ProblemOfKind(mode_t mode) {
    if (S_ISDIR(mode)) {
        return OpenProblem::Folder;
    }
    if (S_ISFIFO(mode)) {
        return OpenProblem::Fifo;
    }
    if (S_ISSOCK(mode)) {
        return OpenProblem::Socket;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return OpenProblem::Device;
    }
    return S_ISREG(mode) ? OpenProblem::None : OpenProblem::Unreadable;
}

OpenProblem ProblemOfFailedOpen(const std::filesystem::path& path, int error) {
    struct stat status {};
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)
                       ? OpenProblem::DanglingLink
                       : OpenProblem::Missing;
        case ELOOP:
            return OpenProblem::DanglingLink;
        case EACCES:
        case EPERM:
            return OpenProblem::NotPermitted;
        default:
            // A socket cannot be opened at all; say what it is rather than the system's word.
            if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
                return ProblemOfKind(status.st_mode);
            }
            return OpenProblem::Unreadable;
    }
}

// The open file as the bank reader reads it.
class RegularFileSource : public ByteSource {
  public:
    explicit RegularFileSource(RegularFile file) : file_(std::move(file)) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        return file_.Read(buffer, size);
    }

  private:
    RegularFile file_;
};

}  // namespace

RegularFile RegularFile::Open(const std::filesystem::path& path) {
    RegularFile file;
    // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; O_NOCTTY keeps a
    // terminal from becoming ours.
    file.fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file.fd_ < 0) {
        file.error_ = errno;
        file.problem_ = ProblemOfFailedOpen(path, file.error_);
        return file;
    }
    struct stat status {};
    if (::fstat(file.fd_, &status) != 0) {
        file.error_ = errno;
        file.problem_ = OpenProblem::Unreadable;
    } else {
        file.problem_ = ProblemOfKind(status.st_mode);
        file.size_ = static_cast<std::uint64_t>(status.st_size);
    }
    const int flags = ::fcntl(file.fd_, F_GETFL);
    if (file.problem_ == OpenProblem::None &&
        (flags < 0 || ::fcntl(file.fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)) {
        file.error_ = errno;
        file.problem_ = OpenProblem::Unreadable;
    }
    if (file.problem_ != OpenProblem::None) {
        ::close(file.fd_);
        file.fd_ = -1;
    }
    return file;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(other.fd_), size_(other.size_), problem_(other.problem_), error_(other.error_) {
    other.fd_ = -1;
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t RegularFile::Read(std::uint8_t* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd_, buffer + got, size - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw std::system_error(errno, std::generic_category(), "read");
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

void RegularFile::Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) {
        throw std::system_error(errno, std::generic_category(), "lseek");
    }
}

int RegularFile::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

WholeFile ReadRegularFile(const std::filesystem::path& path, const ReadProgress& progress) {
    RegularFile file = RegularFile::Open(path);
    if (file.Problem() != OpenProblem::None) {
        WholeFile whole;
        whole.problem = file.Problem();
        whole.error = file.Error();
        return whole;
    }
    return ReadRestOfFile(file, progress);
}

FileStream OpenRegularFileStream(const std::filesystem::path& path) {
    RegularFile file = RegularFile::Open(path);
    FileStream stream;
    stream.problem = file.Problem();
    stream.error = file.Error();
    stream.size = file.Size();
    if (stream.problem == OpenProblem::None) {
        stream.source = std::make_unique<RegularFileSource>(std::move(file));
    }
    return stream;
}

WholeFile ReadRestOfFile(RegularFile& file, const ReadProgress& progress) {
    WholeFile whole;
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    whole.bytes.reserve(static_cast<std::size_t>(file.Size()));
    std::string chunk(kChunk, '\0');
    try {
        for (;;) {
            if (progress && !progress(whole.bytes.size(), file.Size())) {
                whole.cancelled = true;
                whole.bytes.clear();
                break;
            }
            const std::size_t n = file.Read(reinterpret_cast<std::uint8_t*>(chunk.data()), kChunk);
            whole.bytes.append(chunk.data(), n);
            if (n < kChunk) {
                break;
            }
        }
    } catch (const std::system_error& error) {
        whole.error = error.code().value();
        whole.problem = OpenProblem::Unreadable;
        whole.bytes.clear();
    }
    return whole;
}

}  // namespace vornikat
