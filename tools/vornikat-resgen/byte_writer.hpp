// SPDX-License-Identifier: MIT
// Appending little-endian fields to a byte vector, for the file formats the generator writes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vornikat::resgen {

inline void PutUint8(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void PutUint16(std::vector<std::uint8_t>& out, unsigned value) {
    PutUint8(out, value & 0xFFU);
    PutUint8(out, (value >> 8) & 0xFFU);
}

inline void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutUint16(out, value & 0xFFFFU);
    PutUint16(out, value >> 16);
}

inline void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace vornikat::resgen
