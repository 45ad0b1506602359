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

std::string MemoryRegistry::FullPath(RegRoot root, std::string_view path) {
    const std::string_view base =
        root == RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    return Normalize(std::string(base) + "\\" + std::string(path));
}

bool MemoryRegistry::IsUnder(const std::string& path, const std::set<std::string>& tops) {
    return std::any_of(tops.begin(), tops.end(), [&path](const std::string& top) {
        return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 &&
                               path[top.size()] == '\\');
    });
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

long MemoryRegistry::Open(const std::string& full) const {
    if (keys_.count(full) == 0) {
        return reg::kNotFound;
    }
    return IsUnder(full, denied_) ? reg::kAccessDenied : reg::kSuccess;
}

long MemoryRegistry::ProbeKey(RegRoot root, std::string_view path) {
    return Open(FullPath(root, path));
}

RegRead MemoryRegistry::ReadValue(RegRoot root, std::string_view path, std::string_view name) {
    const std::string full = FullPath(root, path);
    if (const long opened = Open(full); opened != reg::kSuccess) {
        return {opened, {}};
    }
    const Value* value = FindValue(full, name);
    return value == nullptr ? RegRead{reg::kNotFound, {}} : RegRead{reg::kSuccess, *value};
}

long MemoryRegistry::WriteValue(RegRoot root, std::string_view path, std::string_view name,
                                const RegValue& value) {
    const std::string full = FullPath(root, path);
    if (IsUnder(full, denied_) || IsUnder(full, writeDenied_)) {
        return reg::kAccessDenied;
    }
    PutValue(full, name, value);
    return reg::kSuccess;
}

}  // namespace vornikat
