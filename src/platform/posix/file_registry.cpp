// SPDX-License-Identifier: MIT
#include "file_registry.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <optional>
#include <system_error>
#include <thread>

#include "posix_atomic_file.hpp"

namespace vornikat {
namespace {

using Status = StoreFileState::Status;

// The registry's own limit is far below this; anything larger is no file of ours.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
// Names and paths go into lines of the file; a control character could break them.
bool IsStorable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string FullPath(RegRoot root, std::string_view path) {
    std::string full = root == RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    return full.append(path.empty() ? "" : "\\").append(path);
}

StoreFileState StateOf(const struct stat& info) {
    return {S_ISREG(info.st_mode) ? Status::Read : Status::Failed, info.st_dev, info.st_ino,
            info.st_size, std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// What is at the path now, links followed, without opening it: anything but a regular file (a
// folder, a pipe, a device) is Failed.
StoreFileState LookAt(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) {
        return StateOf(info);
    }
    return {errno == ENOENT ? Status::Missing : Status::Failed};
}

// Reads a regular file; the state is that of the file read.
StoreFileState ReadFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
    // Non-blocking, so that a pipe put at the path cannot make the open wait for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        ::close(fd);
        return LookAt(file);
    }
    StoreFileState state = StateOf(info);
    // One byte more than the file held tells a file that grew while it was read.
    const auto size = static_cast<std::size_t>(info.st_size);
    bytes.resize(state.status == Status::Read ? std::min(size, kMaxFileBytes) + 1 : 0);
    std::size_t done = 0;
    for (ssize_t n = 1; n != 0 && done < bytes.size();) {
        n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) {
            state.status = Status::Failed;
            break;
        }
        done += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
    }
    ::close(fd);
    if (state.status == Status::Read && done == bytes.size()) {
        state.status = done > kMaxFileBytes ? Status::TooLarge : Status::Failed;
    }
    bytes.resize(state.status == Status::Read ? done : 0);
    return state;
}

// Closes the descriptor it holds when it goes.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// The lock between writers is held on a file of its own: the store is replaced by renaming, so
// a lock on it would lock a file about to go. It is polled rather than waited for, so that a
// copy that hangs while holding it cannot hang this one. -1 when it could not be had in time.
int TakeLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return fd;
}

// Creates the folder and any missing folder above it, each readable by its owner alone.
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

// Gives the file a second name that was free, "<name>.unreadable" or "<name>.unreadable.N".
std::optional<std::filesystem::path> SetFileAside(const std::filesystem::path& file) {
    for (int n = 1; n <= 1000; ++n) {
        std::filesystem::path aside = file;
        aside += n == 1 ? std::string(".unreadable") : ".unreadable." + std::to_string(n);
        // A hard link never takes a name that is in use, and leaves the file where it was
        // until the new one is renamed over it.
        if (::link(file.c_str(), aside.c_str()) == 0) {
            return aside;
        }
        if (errno != EEXIST) {
            // A file system without hard links: a plain rename to a name that was free.
            std::error_code error;
            const bool free = !std::filesystem::exists(aside, error);
            return free && ::rename(file.c_str(), aside.c_str()) == 0 ? std::optional(aside)
                                                                      : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

FileRegistry::FileRegistry(std::filesystem::path file, std::ostream& notices,
                           std::chrono::milliseconds lockPatience)
    : file_(std::move(file)), notices_(notices), lockPatience_(lockPatience) {}

FileRegistry::FileRegistry(std::filesystem::path file) : FileRegistry(std::move(file), std::cerr) {}

const RegistryDocument& FileRegistry::Current() {
    const StoreFileState now = LookAt(file_);
    if (loaded_ && now == state_) {
        return document_;
    }
    // A file being replaced is renamed into place whole, so a read needs no lock. A file that
    // cannot be read at all reads as empty; it is never written over (see Change).
    std::vector<std::uint8_t> bytes;
    state_ = now.status == Status::Read ? ReadFile(file_, bytes) : now;
    document_ = RegistryDocument::Parse(bytes);
    loaded_ = true;
    return document_;
}

long FileRegistry::Change(const std::function<bool(RegistryDocument&)>& change) {
    // One wait for a held lock per run is enough: a later change would only wait again.
    if (lockMissed_ || !MakePrivateFolders(file_.parent_path())) {
        return reg::kAccessDenied;
    }
    std::filesystem::path lockFile = file_;
    lockFile += ".lock";
    const Descriptor lock{TakeLock(lockFile, lockPatience_)};
    if (lock.fd < 0) {
        lockMissed_ = true;
        return reg::kAccessDenied;
    }
    // Look again under the lock: another copy may have written since this one last read.
    Current();
    const bool foreign = state_.status == Status::TooLarge || document_.Foreign();
    std::error_code error;
    // Through a link, only a registry file is written: what else it leads to is not ours.
    if (state_.status == Status::Failed ||
        (std::filesystem::is_symlink(file_, error) && (state_.status != Status::Read || foreign))) {
        return reg::kAccessDenied;
    }
    // Under the lock no other save is under way: a temporary file now is one a killed save left.
    RemoveLeftoverTempFiles(file_);
    RegistryDocument fresh;
    RegistryDocument& document = foreign ? fresh : document_;
    if (!change(document)) {
        return reg::kSuccess;
    }
    loaded_ = false;  // until the file is known to hold the document
    if (foreign) {
        const auto aside = SetFileAside(file_);
        if (!aside) {
            return reg::kAccessDenied;
        }
        notices_ << "vornikat: " << file_.string() << " is not a registry file; it is kept as "
                 << aside->string() << " and a new one is started\n"
                 << std::flush;
    }
    const std::string bytes = document.Serialize();
    try {
        WriteFileAtomically(
            file_, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, 0600);
    } catch (const std::system_error&) {
        return reg::kAccessDenied;
    }
    if (foreign) {
        document_ = std::move(fresh);
    }
    state_ = LookAt(file_);
    loaded_ = true;
    return reg::kSuccess;
}

long FileRegistry::ProbeKey(RegRoot root, std::string_view path) {
    return Current().HasKey(FullPath(root, path)) ? reg::kSuccess : reg::kNotFound;
}

RegRead FileRegistry::ReadValue(RegRoot root, std::string_view path, std::string_view name) {
    const RegistryValue* value = Current().FindValue(FullPath(root, path), name);
    return value == nullptr ? RegRead{reg::kNotFound, {}} : RegRead{reg::kSuccess, *value};
}

long FileRegistry::WriteValue(RegRoot root, std::string_view path, std::string_view name,
                              const RegValue& value) {
    const std::string full = FullPath(root, path);
    if (!IsStorable(full) || !IsStorable(name)) {
        return reg::kInvalidParameter;
    }
    const NamedValue named{std::string(name), value};
    return Change([&](RegistryDocument& document) { return document.SetValue(full, named); });
}

}  // namespace vornikat
