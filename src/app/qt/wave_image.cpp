// SPDX-License-Identifier: MIT
#include "wave_image.hpp"

#include <cstddef>
#include <string_view>

namespace vornikat {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint32_t kLowestRate = 1000;
constexpr std::uint32_t kHighestRate = 192000;

std::uint16_t ReadUint16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadUint32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(ReadUint16(bytes, at)) |
           (static_cast<std::uint32_t>(ReadUint16(bytes, at + 2)) << 16);
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view tag) {
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) {
            return false;
        }
    }
    return true;
}

std::optional<WaveFormat> ReadFormatChunk(std::span<const std::uint8_t> chunk) {
    if (chunk.size() < 16 || ReadUint16(chunk, 0) != kFormatPcm) {
        return std::nullopt;
    }
    WaveFormat format;
    format.channels = ReadUint16(chunk, 2);
    format.samplesPerSecond = ReadUint32(chunk, 4);
    const std::uint16_t blockAlign = ReadUint16(chunk, 12);
    format.bitsPerSample = ReadUint16(chunk, 14);
    const bool playable = (format.channels == 1 || format.channels == 2) &&
                          (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                          format.samplesPerSecond >= kLowestRate &&
                          format.samplesPerSecond <= kHighestRate &&
                          blockAlign == format.channels * format.bitsPerSample / 8;
    if (!playable) {
        return std::nullopt;
    }
    return format;
}

}  // namespace

std::optional<WaveImage> ReadWaveImage(std::span<const std::uint8_t> image) {
    constexpr std::size_t kHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    if (image.size() < kHeader || !HasTag(image, 0, "RIFF") || !HasTag(image, 8, "WAVE")) {
        return std::nullopt;
    }
    const std::uint32_t riffSize = ReadUint32(image, 4);
    if (riffSize < 4 || riffSize > image.size() - 8) {
        return std::nullopt;  // truncated image
    }
    const std::size_t riffEnd = 8 + static_cast<std::size_t>(riffSize);

    std::optional<WaveFormat> format;
    std::size_t at = kHeader;
    while (riffEnd - at >= kChunkHeader) {
        const std::uint32_t length = ReadUint32(image, at + 4);
        const std::size_t body = at + kChunkHeader;
        if (length > riffEnd - body) {
            return std::nullopt;
        }
        const auto chunk = image.subspan(body, length);
        if (HasTag(image, at, "fmt ")) {
            format = ReadFormatChunk(chunk);
            if (!format) {
                return std::nullopt;
            }
        } else if (HasTag(image, at, "data")) {
            if (!format) {
                return std::nullopt;
            }
            const std::size_t frame = format->channels * format->bitsPerSample / 8U;
            const std::size_t whole = chunk.size() - chunk.size() % frame;
            if (whole == 0) {
                return std::nullopt;
            }
            return WaveImage{*format, chunk.first(whole)};
        }
        // Chunks are word-aligned: an odd length is followed by a pad byte.
        at = body + length + (length & 1U);
        if (at > riffEnd) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace vornikat
