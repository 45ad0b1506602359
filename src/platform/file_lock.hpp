// An exclusive lock held on a file of its own, beside the file it guards: the guarded file is
// replaced by renaming, so a lock on it would lock a file that is about to go.
#pragma once

#include <chrono>
#include <filesystem>

namespace vornikat {

class FileLock {
  public:
    // Waits for the lock at most this long; Held() tells whether it was taken.
    FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return held_; }

  private:
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace vornikat
