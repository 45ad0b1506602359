// SPDX-License-Identifier: MIT
#include "win32_registry.hpp"

#include <windows.h>

#include <string>

namespace vornikat::win32 {
namespace {

// The port numbers the roots as 32-bit values; on 64-bit Windows the predefined handles are
// those values sign-extended.
HKEY ToHkey(RegKey key) {
    switch (key) {
        case kHKeyCurrentUser:
            return HKEY_CURRENT_USER;
        case kHKeyLocalMachine:
            return HKEY_LOCAL_MACHINE;
        default:
            return reinterpret_cast<HKEY>(key);
    }
}

RegKey FromHkey(HKEY key) {
    return reinterpret_cast<RegKey>(key);
}

}  // namespace

long Win32Registry::OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) {
    HKEY opened = nullptr;
    const std::string name(path);
    const LONG result = access == RegAccess::ReadOnly
                            ? RegOpenKeyExA(ToHkey(root), name.c_str(), 0, KEY_READ, &opened)
                            : RegOpenKeyA(ToHkey(root), name.c_str(), &opened);
    key = result == ERROR_SUCCESS ? FromHkey(opened) : 0;
    return result;
}

long Win32Registry::CreateKey(RegKey root, std::string_view path, RegKey& key) {
    HKEY created = nullptr;
    const LONG result = RegCreateKeyA(ToHkey(root), std::string(path).c_str(), &created);
    key = result == ERROR_SUCCESS ? FromHkey(created) : 0;
    return result;
}

long Win32Registry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) {
    return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size()));
}

long Win32Registry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                               std::span<std::uint8_t> buffer, std::uint32_t& byteCount) {
    DWORD valueType = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result =
        RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &valueType,
                         buffer.empty() ? nullptr : buffer.data(), &size);
    type = valueType;
    byteCount = size;
    return result;
}

long Win32Registry::CloseKey(RegKey key) {
    return RegCloseKey(ToHkey(key));
}

}  // namespace vornikat::win32
