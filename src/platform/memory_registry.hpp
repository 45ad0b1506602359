// SPDX-License-Identifier: MIT
// A registry held in memory, with the platform registry's results: for tests and for runs
// that must not touch a stored score.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports.hpp"

namespace vornikat {

class MemoryRegistry : public RegistryPort {
  public:
    struct Value {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };

    MemoryRegistry();

    long OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) override;
    long CreateKey(RegKey root, std::string_view path, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                    std::span<std::uint8_t> buffer, std::uint32_t& byteCount) override;
    long CloseKey(RegKey key) override;

    // Test set-up and inspection, by full path such as "HKEY_LOCAL_MACHINE\Software\Vornikat".
    void AddKey(std::string_view fullPath);
    void PutValue(std::string_view fullPath, std::string_view name, Value value);
    const Value* FindValue(std::string_view fullPath, std::string_view name) const;
    bool HasKey(std::string_view fullPath) const;
    // Opening or creating this key, or any key under it, fails with access denied.
    void DenyAccess(std::string_view fullPath);
    // This key and the keys under it open, but creating a key or setting a value there fails
    // with access denied: what a standard user meets under HKEY_LOCAL_MACHINE.
    void DenyWrites(std::string_view fullPath);
    std::size_t OpenHandles() const { return handles_.size(); }

  private:
    struct Handle {
        std::string path;
        bool readOnly = false;
    };

    static std::string Normalize(std::string_view fullPath);
    std::string FullPath(RegKey root, std::string_view path) const;
    static bool IsUnder(const std::string& path, const std::set<std::string>& tops);
    RegKey NewHandle(const std::string& path, bool readOnly);

    std::map<std::string, std::map<std::string, Value>> keys_;
    std::set<std::string> denied_;
    std::set<std::string> writeDenied_;
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace vornikat
