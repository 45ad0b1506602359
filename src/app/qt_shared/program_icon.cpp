// SPDX-License-Identifier: MIT
#include "program_icon.hpp"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <span>

#include "embedded_resources.hpp"

namespace vornikat {
namespace {

constexpr std::size_t kFileHeader = 22;
constexpr std::size_t kBitmapHeader = 40;
constexpr int kColours = 16;

std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// The first image of a 16-colour icon file: its colour bits and palette, with the pixels its
// mask marks transparent. Decoded here rather than by Qt's icon plugin, so that showing the
// first window loads no image plugin. A null image for a file of any other kind.
QImage DecodeIcon(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeader || ReadLittleEndian(file, 2, 2) != 1 ||
        ReadLittleEndian(file, 4, 2) == 0) {
        return {};
    }
    const std::size_t at = ReadLittleEndian(file, 18, 4);
    if (at > file.size() || file.size() - at < kBitmapHeader) {
        return {};
    }
    const auto image = file.subspan(at);
    const auto width = static_cast<int>(ReadLittleEndian(image, 4, 4));
    const auto height = static_cast<int>(ReadLittleEndian(image, 8, 4)) / 2;
    if (ReadLittleEndian(image, 0, 4) != kBitmapHeader || ReadLittleEndian(image, 14, 2) != 4 ||
        ReadLittleEndian(image, 16, 4) != 0 || width <= 0 || width > 256 || height <= 0 ||
        height > 256) {
        return {};
    }
    // Rows are whole 32-bit words, bottom row first: the colour bits, then the mask.
    const std::size_t colourRow = static_cast<std::size_t>((width * 4 + 31) / 32) * 4;
    const std::size_t maskRow = static_cast<std::size_t>((width + 31) / 32) * 4;
    const std::size_t palette = kBitmapHeader;
    const std::size_t colours = palette + kColours * 4;
    const std::size_t mask = colours + colourRow * static_cast<std::size_t>(height);
    if (image.size() < mask + maskRow * static_cast<std::size_t>(height)) {
        return {};
    }
    QImage decoded(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const auto row = static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const auto column = static_cast<std::size_t>(x);
            const std::uint8_t pair = image[colours + row * colourRow + column / 2];
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            const bool transparent =
                (image[mask + row * maskRow + column / 8] >> (7 - x % 8) & 1) != 0;
            const std::size_t entry = palette + static_cast<std::size_t>(index) * 4;
            decoded.setPixel(x, y,
                             transparent ? qRgba(0, 0, 0, 0)
                                         : qRgb(image[entry + 2], image[entry + 1], image[entry]));
        }
    }
    return decoded;
}

}  // namespace

QPixmap ProgramIconImage() {
    return QPixmap::fromImage(DecodeIcon(EmbeddedIcon()));
}

QIcon ProgramIcon() {
    return QIcon(ProgramIconImage());
}

}  // namespace vornikat
