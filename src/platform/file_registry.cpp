#include "file_registry.hpp"

#include <algorithm>
#include <iostream>
#include <system_error>

#include "atomic_file.hpp"

namespace vornikat {
namespace {

// The registry's own limit is far below this; anything larger is no file of ours.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
// The platform's result for a name that cannot be stored.
constexpr long kInvalidParameter = 87;

// Names and paths go into lines of the file; a control character could break them.
bool IsStorable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

FileRegistry::FileRegistry(std::filesystem::path file, std::ostream& notices,
                           std::chrono::milliseconds lockPatience)
    : file_(std::move(file)), notices_(notices), lockPatience_(lockPatience) {}

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

RegKey FileRegistry::NewHandle(std::string path, bool readOnly, bool created) {
    const RegKey key = nextHandle_++;
    handles_[key] = Handle{std::move(path), readOnly, created};
    return key;
}

bool FileRegistry::KeyExists(std::string_view path) {
    return Current().HasKey(path) || created_.HasKey(path);
}

const RegistryDocument& FileRegistry::Current() {
    const StoreState now = LookAtStoreFile(file_);
    if (loaded_ && now == state_) {
        return document_;
    }
    // A file being replaced is renamed into place whole, so a read needs no lock. A file that
    // cannot be read at all reads as empty; it is never written over (see Change).
    std::vector<std::uint8_t> bytes;
    state_ =
        now.status == StoreState::Status::Read ? ReadStoreFile(file_, kMaxFileBytes, bytes) : now;
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
    const StoreLock lock(lockFile, lockPatience_);
    if (!lock.Held()) {
        lockMissed_ = true;
        return reg::kAccessDenied;
    }
    // Look again under the lock: another copy may have written since this one last read.
    Current();
    using Status = StoreState::Status;
    const bool foreign = state_.status == Status::TooLarge || document_.Foreign();
    std::error_code error;
    // Through a link, only a registry file is written: what else it leads to is not ours.
    if (state_.status == Status::Failed ||
        (std::filesystem::is_symlink(file_, error) && (state_.status != Status::Read || foreign))) {
        return reg::kAccessDenied;
    }
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
    RemoveLeftoverTempFiles(file_);
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
    state_ = LookAtStoreFile(file_);
    loaded_ = true;
    return reg::kSuccess;
}

long FileRegistry::OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) {
    key = 0;
    std::string full;
    if (!FullPath(root, path, full) || !KeyExists(full)) {
        return reg::kNotFound;
    }
    key = NewHandle(std::move(full), access == RegAccess::ReadOnly, false);
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
    const bool created = !KeyExists(full);
    if (created) {
        created_.AddKey(full);
    }
    key = NewHandle(std::move(full), false, created);
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
    const RegistryValue* value = Current().FindValue(handle->second.path, name);
    if (value == nullptr) {
        return reg::kNotFound;
    }
    type = value->type;
    byteCount = static_cast<std::uint32_t>(value->data.size());
    if (value->data.size() > buffer.size()) {
        return reg::kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), buffer.begin());
    return reg::kSuccess;
}

long FileRegistry::CloseKey(RegKey key) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kNotFound;
    }
    const Handle closed = handle->second;
    handles_.erase(handle);
    if (!closed.created || Current().HasKey(closed.path)) {
        return reg::kSuccess;
    }
    return Change([&closed](RegistryDocument& document) { return document.AddKey(closed.path); });
}

}  // namespace vornikat
