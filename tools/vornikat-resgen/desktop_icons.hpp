// SPDX-License-Identifier: MIT
// The desktop's icons, drawn from the same pixel map as the program icon: PNGs at the sizes
// icon themes ask for, and a scalable SVG. Each pixel of a drawing takes the colour of one
// pixel of the map, never a blend, so the icon keeps its pixel-art look at every size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "icon_file.hpp"

namespace vornikat::resgen {

// The sizes of the hicolor theme's fixed-size folders, in pixels.
inline constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A size x size palette PNG with a transparent background.
std::vector<std::uint8_t> MakePngIcon(const PixelMap& pixels, int size);

// An SVG of one square per map pixel, runs of a colour along a row drawn as one rectangle.
std::string MakeSvgIcon(const PixelMap& pixels);

}  // namespace vornikat::resgen
