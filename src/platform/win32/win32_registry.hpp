// SPDX-License-Identifier: MIT
// The registry port over advapi32's single-byte functions: each call opens the key, does its
// one thing and closes it again, and hands the system's result straight through.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Registry : public RegistryPort {
  public:
    long ProbeKey(RegRoot root, std::string_view path) override;
    RegRead ReadValue(RegRoot root, std::string_view path, std::string_view name) override;
    long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                    const RegValue& value) override;
};

}  // namespace vornikat::win32
