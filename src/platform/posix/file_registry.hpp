// SPDX-License-Identifier: MIT
// The registry kept in a text file in the form of a registry export, for systems that have no
// registry of their own. It keeps what it read and reads again only when the file changed;
// every change is merged under a lock into the file as it is then and replaces it whole, so
// copies of the program running side by side never lose each other's values.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

#include "ports.hpp"
#include "registry_document.hpp"

namespace vornikat {

// What was at the store's path when it was last looked at: a file replaced or rewritten differs
// in its device, inode, size or modification time.
struct StoreFileState {
    enum class Status : std::uint8_t { Missing, Read, TooLarge, Failed };
    Status status = Status::Failed;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    bool operator==(const StoreFileState&) const = default;
};

class FileRegistry : public RegistryPort {
  public:
    // Notices (a file that is not a registry file being set aside) go to the stream. A change
    // waits for the lock of another writer at most lockPatience.
    FileRegistry(std::filesystem::path file, std::ostream& notices,
                 std::chrono::milliseconds lockPatience = std::chrono::seconds(5));
    explicit FileRegistry(std::filesystem::path file);

    long ProbeKey(RegRoot root, std::string_view path) override;
    RegRead ReadValue(RegRoot root, std::string_view path, std::string_view name) override;
    long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) override;

  private:
    // The document as the file holds it now.
    const RegistryDocument& Current();
    // Applies the change to the file as it is now; the change tells whether it changed anything.
    long Change(const std::function<bool(RegistryDocument&)>& change);

    std::filesystem::path file_;
    std::ostream& notices_;
    std::chrono::milliseconds lockPatience_;
    bool lockMissed_ = false;  // once the lock could not be had, changes fail without waiting
    StoreFileState state_;
    bool loaded_ = false;
    RegistryDocument document_;
};

}  // namespace vornikat
