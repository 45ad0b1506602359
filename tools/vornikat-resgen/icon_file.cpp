// SPDX-License-Identifier: MIT
#include "icon_file.hpp"

#include <stdexcept>
#include <string>
#include <string_view>

#include "byte_writer.hpp"

namespace vornikat::resgen {
namespace {

// The characters of the map in palette order: the 16 standard VGA colours.
constexpr std::string_view kColourKeys = "krgonptsdRGYBMCW";
constexpr std::uint8_t kPalette[kPaletteSize][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};
constexpr char kTransparentKey = '.';

constexpr std::uint32_t kColourBytes = kIconSide * kIconSide / 2;
constexpr std::uint32_t kMaskBytes = kIconSide * kIconSide / 8;
constexpr std::uint32_t kTrailingZeros = 8;
constexpr std::uint32_t kImageBytes = 40 + 16 * 4 + kColourBytes + kMaskBytes + kTrailingZeros;

// The fields an icon file entry and an icon group entry share.
void PutEntryFormat(std::vector<std::uint8_t>& out) {
    PutUint8(out, kIconSide);  // width
    PutUint8(out, kIconSide);  // height
    PutUint8(out, 16);         // colours
    PutUint8(out, 0);          // reserved
    PutUint16(out, 1);         // planes
    PutUint16(out, 4);         // bits per pixel
    PutUint32(out, kImageBytes);
}

void PutDirectoryHeader(std::vector<std::uint8_t>& out) {
    PutUint16(out, 0);  // reserved
    PutUint16(out, 1);  // icon
    PutUint16(out, 1);  // one image
}

}  // namespace

std::array<std::uint8_t, 3> PaletteColour(int index) {
    const auto& rgb = kPalette[index];
    return {rgb[0], rgb[1], rgb[2]};
}

PixelMap ReadPixelMap(std::istream& in) {
    PixelMap pixels{};
    int row = 0;
    int lineNumber = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.starts_with('#')) {
            continue;
        }
        const auto fail = [&](const std::string& what) {
            throw std::runtime_error("line " + std::to_string(lineNumber) + ": " + what);
        };
        if (row == kIconSide) {
            fail("more than " + std::to_string(kIconSide) + " rows");
        }
        if (line.size() != kIconSide) {
            fail("a row must have " + std::to_string(kIconSide) + " pixels");
        }
        for (int x = 0; x < kIconSide; ++x) {
            const char key = line[static_cast<std::size_t>(x)];
            const auto colour = kColourKeys.find(key);
            if (key != kTransparentKey && colour == std::string_view::npos) {
                fail(std::string("unknown colour '") + key + "'");
            }
            pixels[row][x] = key == kTransparentKey ? kTransparent : static_cast<int>(colour);
        }
        ++row;
    }
    if (row != kIconSide) {
        throw std::runtime_error("the map has " + std::to_string(row) + " rows, not " +
                                 std::to_string(kIconSide));
    }
    return pixels;
}

std::vector<std::uint8_t> MakeIconImage(const PixelMap& pixels) {
    std::vector<std::uint8_t> out;
    PutUint32(out, 40);             // header size
    PutUint32(out, kIconSide);      // width
    PutUint32(out, 2 * kIconSide);  // height: the colour bits and the mask
    PutUint16(out, 1);              // planes
    PutUint16(out, 4);              // bits per pixel
    PutUint32(out, 0);              // no compression
    PutUint32(out, kColourBytes);
    for (int unused = 0; unused < 4; ++unused) {
        PutUint32(out, 0);  // resolution, colours used and important: defaults
    }
    for (const auto& rgb : kPalette) {
        PutUint8(out, rgb[2]);
        PutUint8(out, rgb[1]);
        PutUint8(out, rgb[0]);
        PutUint8(out, 0);
    }
    // Bitmaps run bottom-up. Transparent pixels are black in the colour bits, so that
    // drawing through the mask leaves the background untouched.
    for (int y = kIconSide - 1; y >= 0; --y) {
        for (int x = 0; x < kIconSide; x += 2) {
            const auto colour = [&](int at) {
                return pixels[y][at] == kTransparent ? 0 : pixels[y][at];
            };
            PutUint8(out, static_cast<unsigned>(colour(x) << 4 | colour(x + 1)));
        }
    }
    for (int y = kIconSide - 1; y >= 0; --y) {
        for (int x = 0; x < kIconSide; x += 8) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (pixels[y][x + bit] == kTransparent) {
                    bits |= 0x80U >> bit;
                }
            }
            PutUint8(out, bits);
        }
    }
    out.resize(out.size() + kTrailingZeros, 0);
    return out;
}

std::vector<std::uint8_t> MakeIconFile(const PixelMap& pixels) {
    constexpr std::uint32_t kImageOffset = 6 + 16;
    std::vector<std::uint8_t> out;
    PutDirectoryHeader(out);
    PutEntryFormat(out);
    PutUint32(out, kImageOffset);
    const auto image = MakeIconImage(pixels);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::vector<std::uint8_t> MakeIconGroup(std::uint16_t imageId) {
    std::vector<std::uint8_t> out;
    PutDirectoryHeader(out);
    PutEntryFormat(out);
    PutUint16(out, imageId);
    return out;
}

}  // namespace vornikat::resgen
