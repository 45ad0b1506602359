// SPDX-License-Identifier: MIT
// A registry held in memory, with the platform registry's results: for tests and for runs
// that must not touch a stored score.
#pragma once

#include <map>
#include <set>
#include <string>

#include "ports.hpp"

namespace vornikat {

class MemoryRegistry : public RegistryPort {
  public:
    using Value = RegValue;

    MemoryRegistry();

    long ProbeKey(RegRoot root, std::string_view path) override;
    RegRead ReadValue(RegRoot root, std::string_view path, std::string_view name) override;
    long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) override;

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

  private:
    static std::string Normalize(std::string_view fullPath);
    static std::string FullPath(RegRoot root, std::string_view path);
    static bool IsUnder(const std::string& path, const std::set<std::string>& tops);
    // Whether the key at this normalized path opens.
    long Open(const std::string& full) const;

    std::map<std::string, std::map<std::string, Value>> keys_;
    std::set<std::string> denied_;
    std::set<std::string> writeDenied_;
};

}  // namespace vornikat
