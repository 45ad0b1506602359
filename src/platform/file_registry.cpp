#include "file_registry.hpp"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "file_lock.hpp"
#include "store_file.hpp"

namespace vornikat {
namespace {

// The registry's own limit is far below this; anything larger is no file of ours.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
constexpr std::chrono::milliseconds kLockPatience(5000);
// The platform's result for a name that cannot be stored.
constexpr long kInvalidParameter = 87;

// Names and paths go into lines of the file; a control character could break them.
bool IsStorable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The file a link at the path points to: that is the one to replace, and the lock goes beside it.
std::filesystem::path ResolveLinks(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) {
        return file;
    }
    const auto target = std::filesystem::weakly_canonical(file, error);
    return error ? file : target;
}

}  // namespace

FileRegistry::FileRegistry(std::filesystem::path file, std::ostream& notices)
    : file_(std::move(file)), notices_(notices) {}

FileRegistry::FileRegistry(std::filesystem::path file) : FileRegistry(std::move(file), std::cerr) {}

bool FileRegistry::FullPath(RegKey root, std::string_view path, std::string& full) const {
    if (root == kHKeyLocalMachine) {
        full = "HKEY_LOCAL_MACHINE";
    } else if (root == kHKeyCurrentUser) {
        full = "HKEY_CURRENT_USER";
    } else {
        const auto found = handles_.find(root);
        if (found == handles_.end()) {
            return false;
        }
        full = found->second.path;
    }
    if (!path.empty()) {
        full += '\\';
        full += path;
    }
    return true;
}

RegKey FileRegistry::NewHandle(std::string path, bool readOnly) {
    const RegKey key = nextHandle_++;
    handles_[key] = Handle{std::move(path), readOnly};
    return key;
}

RegistryDocument FileRegistry::Read() const {
    // A file being replaced is renamed into place whole, so a read needs no lock. A file that
    // cannot be read at all reads as empty; it is never written over (see Change).
    const StoreRead read = ReadStoreFile(file_, kMaxFileBytes);
    if (read.status != StoreRead::Status::Read) {
        return RegistryDocument();
    }
    return RegistryDocument::Parse(read.bytes);
}

long FileRegistry::Change(const std::function<bool(RegistryDocument&)>& change) {
    const std::filesystem::path target = ResolveLinks(file_);
    if (!MakePrivateFolders(target.parent_path())) {
        return reg::kAccessDenied;
    }
    std::filesystem::path lockFile = target;
    lockFile += ".lock";
    const FileLock lock(lockFile, kLockPatience);
    if (!lock.Held()) {
        return reg::kAccessDenied;
    }
    // Read again under the lock: another copy may have written since this one last read.
    const StoreRead read = ReadStoreFile(target, kMaxFileBytes);
    if (read.status == StoreRead::Status::Failed) {
        return reg::kAccessDenied;
    }
    RegistryDocument document;
    if (read.status == StoreRead::Status::Read) {
        document = RegistryDocument::Parse(read.bytes);
    }
    const bool foreign = read.status == StoreRead::Status::TooLarge || document.Foreign();
    if (foreign) {
        document = RegistryDocument();
    }
    if (!change(document)) {
        return reg::kSuccess;
    }
    if (foreign) {
        const auto aside = SetFileAside(target);
        if (!aside) {
            return reg::kAccessDenied;
        }
        notices_ << "vornikat: " << target.string() << " is not a registry file; it is kept as "
                 << aside->string() << " and a new one is started\n"
                 << std::flush;
    }
    return ReplaceStoreFile(target, document.Serialize(), read.mode) ? reg::kSuccess
                                                                     : reg::kAccessDenied;
}

long FileRegistry::OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) {
    key = 0;
    std::string full;
    if (!FullPath(root, path, full)) {
        return reg::kNotFound;
    }
    if (!Read().HasKey(full)) {
        return reg::kNotFound;
    }
    key = NewHandle(std::move(full), access == RegAccess::ReadOnly);
    return reg::kSuccess;
}

long FileRegistry::CreateKey(RegKey root, std::string_view path, RegKey& key) {
    key = 0;
    std::string full;
    if (!FullPath(root, path, full)) {
        return reg::kNotFound;
    }
    if (!IsStorable(full)) {
        return kInvalidParameter;
    }
    if (!Read().HasKey(full)) {
        const long result =
            Change([&full](RegistryDocument& document) { return document.AddKey(full); });
        if (result != reg::kSuccess) {
            return result;
        }
    }
    key = NewHandle(std::move(full), false);
    return reg::kSuccess;
}

long FileRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                            std::span<const std::uint8_t> data) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kNotFound;
    }
    if (handle->second.readOnly) {
        return reg::kAccessDenied;
    }
    if (!IsStorable(name)) {
        return kInvalidParameter;
    }
    const NamedValue value{std::string(name), RegistryValue{type, {data.begin(), data.end()}}};
    const std::string& path = handle->second.path;
    return Change([&](RegistryDocument& document) { return document.SetValue(path, value); });
}

long FileRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                              std::span<std::uint8_t> buffer, std::uint32_t& byteCount) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kNotFound;
    }
    const RegistryDocument document = Read();
    const RegistryValue* value = document.FindValue(handle->second.path, name);
    if (value == nullptr) {
        return reg::kNotFound;
    }
    type = value->type;
    const auto size = static_cast<std::uint32_t>(value->data.size());
    byteCount = size;
    if (size > buffer.size()) {
        return reg::kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), buffer.begin());
    return reg::kSuccess;
}

long FileRegistry::CloseKey(RegKey key) {
    return handles_.erase(key) != 0 ? reg::kSuccess : reg::kNotFound;
}

}  // namespace vornikat
