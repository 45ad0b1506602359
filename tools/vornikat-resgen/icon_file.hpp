// SPDX-License-Identifier: MIT
// The program icon: read from a text pixel map, written as a 32 x 32, 16-colour icon.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <vector>

namespace vornikat::resgen {

inline constexpr int kIconSide = 32;
inline constexpr int kTransparent = -1;
inline constexpr int kPaletteSize = 16;

// Palette indexes, top row first; kTransparent where the background shows through.
using PixelMap = std::array<std::array<int, kIconSide>, kIconSide>;

// The red, green and blue of a palette index.
std::array<std::uint8_t, 3> PaletteColour(int index);

// 32 lines of 32 pixel characters; lines starting with '#' are comments. Throws
// std::runtime_error naming the line on anything else.
PixelMap ReadPixelMap(std::istream& in);

// The 752-byte icon image: bitmap header, palette, colour bits, mask, 8 zero bytes.
std::vector<std::uint8_t> MakeIconImage(const PixelMap& pixels);

// The 774-byte icon file: the 22-byte header with its one entry, then the image.
std::vector<std::uint8_t> MakeIconFile(const PixelMap& pixels);

// The 20-byte icon group directory that names the image by its resource id.
std::vector<std::uint8_t> MakeIconGroup(std::uint16_t imageId);

}  // namespace vornikat::resgen
