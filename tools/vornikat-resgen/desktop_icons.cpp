// SPDX-License-Identifier: MIT
#include "desktop_icons.hpp"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace vornikat::resgen {
namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const auto typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const auto crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

// The map pixel a drawing pixel shows: the one under its centre.
int SourceIndex(int at, int size) {
    return (2 * at + 1) * kIconSide / (2 * size);
}

std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& raw) {
    auto length = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(length);
    if (compress2(packed.data(), &length, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("cannot compress the icon image");
    }
    packed.resize(length);
    return packed;
}

}  // namespace

std::vector<std::uint8_t> MakePngIcon(const PixelMap& pixels, int size) {
    // Palette entry 0 is the transparent background; the map's colours follow it.
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(size));
    PutBigEndian32(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit palette, no interlace
    std::vector<std::uint8_t> palette{0, 0, 0};
    for (int colour = 0; colour < kPaletteSize; ++colour) {
        const auto rgb = PaletteColour(colour);
        palette.insert(palette.end(), rgb.begin(), rgb.end());
    }
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size + 1));
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);  // no filter
        const auto& row = pixels[static_cast<std::size_t>(SourceIndex(y, size))];
        for (int x = 0; x < size; ++x) {
            raw.push_back(static_cast<std::uint8_t>(row[SourceIndex(x, size)] + 1));
        }
    }
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "PLTE", palette);
    PutChunk(out, "tRNS", {0});
    PutChunk(out, "IDAT", Compress(raw));
    PutChunk(out, "IEND", {});
    return out;
}

std::string MakeSvgIcon(const PixelMap& pixels) {
    const auto side = std::to_string(kIconSide);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        side + "\" height=\"" + side + "\" viewBox=\"0 0 " + side + " " + side +
        "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < kIconSide; ++y) {
        const auto& row = pixels[static_cast<std::size_t>(y)];
        for (int x = 0; x < kIconSide;) {
            const int colour = row[x];
            int end = x + 1;
            while (end < kIconSide && row[end] == colour) {
                ++end;
            }
            if (colour != kTransparent) {
                const auto rgb = PaletteColour(colour);
                char fill[8];
                std::snprintf(fill, sizeof fill, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
                out += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                       "\" width=\"" + std::to_string(end - x) + "\" height=\"1\" fill=\"" + fill +
                       "\"/>\n";
            }
            x = end;
        }
    }
    out += "</svg>\n";
    return out;
}

}  // namespace vornikat::resgen
