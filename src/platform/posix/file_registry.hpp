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
#include <map>
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

    long OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) override;
    // A new key is written with its first value, or when it is closed without one.
    long CreateKey(RegKey root, std::string_view path, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                    std::span<std::uint8_t> buffer, std::uint32_t& byteCount) override;
    long CloseKey(RegKey key) override;

  private:
    struct Handle {
        std::string path;  // full, spelled as it was opened
        bool readOnly = false;
        bool created = false;  // by CreateKey, and perhaps not in the file yet
    };

    bool FullPath(RegKey root, std::string_view path, std::string& full) const;
    long AddHandle(RegKey& key, std::string path, bool readOnly, bool created);
    bool KeyExists(std::string_view path);
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
    RegistryDocument created_;  // keys this registry created, for OpenKey until they are written
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace vornikat
