// The file operations of the registry's store: a look at the file that tells whether it
// changed, a bounded read that cannot hang, the lock between writers, a private folder, and
// setting a file aside under a new name.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vornikat {

struct StoreState {
    enum class Status : std::uint8_t { Missing, Read, TooLarge, Failed };
    Status status = Status::Failed;
    // Device, inode, size and modification time: a replaced or rewritten file differs in one.
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    bool operator==(const StoreState&) const = default;
};

// What is at the path now, links followed, without opening it: Missing, Failed for anything
// but a regular file (a folder, a pipe, a device), Read for a regular file.
StoreState LookAtStoreFile(const std::filesystem::path& file);

// Reads a regular file of at most maxBytes; the state is that of the file read.
StoreState ReadStoreFile(const std::filesystem::path& file, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes);

// An exclusive lock held on a file of its own: the guarded file is replaced by renaming, so a
// lock on it would lock a file that is about to go.
class StoreLock {
  public:
    // Waits for the lock at most this long; Held() tells whether it was taken.
    StoreLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool Held() const { return held_; }

  private:
    int fd_ = -1;
    bool held_ = false;
};

// Creates the folder and any missing folder above it, each readable by its owner alone.
bool MakePrivateFolders(const std::filesystem::path& folder);

// Gives the file a second name that was free, "<name>.unreadable" or "<name>.unreadable.N";
// the new name, or nullopt when none could be given.
std::optional<std::filesystem::path> SetFileAside(const std::filesystem::path& file);

}  // namespace vornikat
