// SPDX-License-Identifier: MIT
// The registry port over advapi32's single-byte functions, handed straight through: the
// port's roots, handles and results are the system's own.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Registry : public RegistryPort {
  public:
    long OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) override;
    long CreateKey(RegKey root, std::string_view path, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                    std::span<std::uint8_t> buffer, std::uint32_t& byteCount) override;
    long CloseKey(RegKey key) override;
};

}  // namespace vornikat::win32
