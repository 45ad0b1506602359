#include "registry_name.hpp"

#include <cstdint>

namespace vornikat {
namespace {

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

std::string FoldRegistryName(std::string_view cp1251) {
    std::string folded(cp1251);
    for (char& c : folded) {
        c = static_cast<char>(FoldByte(static_cast<std::uint8_t>(c)));
    }
    return folded;
}

}  // namespace vornikat
