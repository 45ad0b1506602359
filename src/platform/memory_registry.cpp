// SPDX-License-Identifier: MIT
#include "memory_registry.hpp"

#include <algorithm>

#include "cp1251.hpp"

namespace vornikat {

MemoryRegistry::MemoryRegistry() {
    AddKey("HKEY_LOCAL_MACHINE\\Software");
    AddKey("HKEY_CURRENT_USER\\Software");
}

std::string MemoryRegistry::Normalize(std::string_view fullPath) {
    std::string path;
    bool lastWasSeparator = true;
    for (const char c : fullPath) {
        if (c == '\\') {
            if (!lastWasSeparator) {
                path += '\\';
            }
            lastWasSeparator = true;
            continue;
        }
        lastWasSeparator = false;
        path += c;
    }
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return FoldRegistryName(path);
}

std::string MemoryRegistry::FullPath(RegKey root, std::string_view path) const {
    std::string base;
    if (root == kHKeyLocalMachine) {
        base = "HKEY_LOCAL_MACHINE";
    } else if (root == kHKeyCurrentUser) {
        base = "HKEY_CURRENT_USER";
    } else {
        const auto found = handles_.find(root);
        if (found == handles_.end()) {
            return {};
        }
        base = found->second.path;
    }
    return Normalize(base + "\\" + std::string(path));
}

bool MemoryRegistry::IsUnder(const std::string& path, const std::set<std::string>& tops) {
    return std::any_of(tops.begin(), tops.end(), [&path](const std::string& top) {
        return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 &&
                               path[top.size()] == '\\');
    });
}

RegKey MemoryRegistry::NewHandle(const std::string& path, bool readOnly) {
    const RegKey key = nextHandle_++;
    handles_[key] = Handle{path, readOnly};
    return key;
}

void MemoryRegistry::AddKey(std::string_view fullPath) {
    const std::string path = Normalize(fullPath);
    for (std::size_t end = path.find('\\'); end != std::string::npos;
         end = path.find('\\', end + 1)) {
        keys_[path.substr(0, end)];
    }
    keys_[path];
}

void MemoryRegistry::PutValue(std::string_view fullPath, std::string_view name, Value value) {
    AddKey(fullPath);
    keys_[Normalize(fullPath)][FoldRegistryName(name)] = std::move(value);
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(std::string_view fullPath,
                                                       std::string_view name) const {
    const auto key = keys_.find(Normalize(fullPath));
    if (key == keys_.end()) {
        return nullptr;
    }
    const auto value = key->second.find(FoldRegistryName(name));
    return value == key->second.end() ? nullptr : &value->second;
}

bool MemoryRegistry::HasKey(std::string_view fullPath) const {
    return keys_.count(Normalize(fullPath)) != 0;
}

void MemoryRegistry::DenyAccess(std::string_view fullPath) {
    denied_.insert(Normalize(fullPath));
}

void MemoryRegistry::DenyWrites(std::string_view fullPath) {
    writeDenied_.insert(Normalize(fullPath));
}

long MemoryRegistry::OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) {
    key = 0;
    const std::string full = FullPath(root, path);
    if (full.empty() || keys_.count(full) == 0) {
        return reg::kNotFound;
    }
    if (IsUnder(full, denied_)) {
        return reg::kAccessDenied;
    }
    key = NewHandle(full, access == RegAccess::ReadOnly);
    return reg::kSuccess;
}

long MemoryRegistry::CreateKey(RegKey root, std::string_view path, RegKey& key) {
    key = 0;
    const std::string full = FullPath(root, path);
    if (full.empty()) {
        return reg::kNotFound;
    }
    if (IsUnder(full, denied_)) {
        return reg::kAccessDenied;
    }
    if (keys_.count(full) == 0) {
        if (IsUnder(full, writeDenied_)) {
            return reg::kAccessDenied;
        }
        AddKey(full);
    }
    key = NewHandle(full, false);
    return reg::kSuccess;
}

long MemoryRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                              std::span<const std::uint8_t> data) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kNotFound;
    }
    if (handle->second.readOnly || IsUnder(handle->second.path, writeDenied_)) {
        return reg::kAccessDenied;
    }
    keys_[handle->second.path][FoldRegistryName(name)] = Value{type, {data.begin(), data.end()}};
    return reg::kSuccess;
}

long MemoryRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                                std::span<std::uint8_t> buffer, std::uint32_t& byteCount) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return reg::kNotFound;
    }
    const auto& values = keys_[handle->second.path];
    const auto value = values.find(FoldRegistryName(name));
    if (value == values.end()) {
        return reg::kNotFound;
    }
    type = value->second.type;
    const auto size = static_cast<std::uint32_t>(value->second.data.size());
    byteCount = size;
    if (size > buffer.size()) {
        return reg::kMoreData;
    }
    std::copy(value->second.data.begin(), value->second.data.end(), buffer.begin());
    return reg::kSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
    return handles_.erase(key) != 0 ? reg::kSuccess : reg::kNotFound;
}

}  // namespace vornikat
