// SPDX-License-Identifier: MIT
#include "win32_resources.hpp"

#include <windows.h>

#include <string>

namespace vornikat::win32 {

std::optional<std::span<const std::uint8_t>> Win32Resources::LoadResource(std::string_view type,
                                                                          int id) {
    const std::string typeName(type);
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), typeName.c_str());
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes),
                                         SizeofResource(nullptr, found));
}

}  // namespace vornikat::win32
