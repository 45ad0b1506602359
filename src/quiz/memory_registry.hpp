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
    // Opening or creating this key fails with access denied; so does writing under it.
    void DenyAccess(std::string_view fullPath);
    std::size_t OpenHandles() const { return handles_.size(); }

  private:
    static std::string Normalize(std::string_view fullPath);
    std::string FullPath(RegKey root, std::string_view path) const;

    std::map<std::string, std::map<std::string, Value>> keys_;
    std::set<std::string> denied_;
    std::map<RegKey, std::string> handles_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace vornikat
