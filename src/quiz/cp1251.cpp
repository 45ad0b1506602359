// SPDX-License-Identifier: MIT
#include "cp1251.hpp"

#include <array>
#include <cstdint>

namespace vornikat {
namespace {

// Codes 0x80..0xBF; 0xC0..0xFF are А..я in order. Code 0x98 has no character in Windows-1251; it
// maps to U+0098, the C1 control of the same number, as Windows' own conversion does, so every byte
// round-trips.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// The capitals of Windows-1251 outside A..Z and А..Я, each with its small letter.
constexpr std::uint8_t kOtherCapitals[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};

std::uint8_t FoldByte(std::uint8_t b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) {
        return static_cast<std::uint8_t>(b + 0x20);
    }
    for (const auto& pair : kOtherCapitals) {
        if (pair[0] == b) {
            return pair[1];
        }
    }
    return b;
}

}  // namespace

char16_t DecodeCp1251(std::uint8_t code) {
    if (code < 0x80) {
        return code;
    }
    if (code >= 0xC0) {
        return static_cast<char16_t>(0x0410 + (code - 0xC0));
    }
    return kUpperHalf[code - 0x80];
}

std::optional<std::uint8_t> EncodeCp1251(char16_t c) {
    if (c < 0x80) {
        return static_cast<std::uint8_t>(c);
    }
    if (c >= 0x0410 && c <= 0x044F) {
        return static_cast<std::uint8_t>(0xC0 + (c - 0x0410));
    }
    for (std::size_t i = 0; i < 64; ++i) {
        if (kUpperHalf[i] == c) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::u16string DecodeCp1251(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        text += DecodeCp1251(static_cast<std::uint8_t>(b));
    }
    return text;
}

std::optional<std::string> EncodeCp1251(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        const auto code = EncodeCp1251(c);
        if (!code) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*code);
    }
    return bytes;
}

std::string FoldRegistryName(std::string_view cp1251) {
    std::string folded(cp1251);
    for (char& c : folded) {
        c = static_cast<char>(FoldByte(static_cast<std::uint8_t>(c)));
    }
    return folded;
}

}  // namespace vornikat
