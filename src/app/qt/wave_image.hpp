// SPDX-License-Identifier: MIT
// Reading a RIFF WAVE image held in memory, as the sound output needs it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vornikat {

struct WaveFormat {
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
};

struct WaveImage {
    WaveFormat format;
    // Whole sample frames only, pointing into the image.
    std::span<const std::uint8_t> samples;
};

// The format and samples of an uncompressed PCM image with one or two channels of 8 or 16 bits;
// nullopt for anything that cannot be played: not RIFF WAVE, another encoding, a chunk that
// runs past the image, a data chunk before its format or none at all, no whole sample frame.
// Chunks other than "fmt " and "data" are skipped; a data chunk may end the RIFF without its
// pad byte being counted, or without one at all.
std::optional<WaveImage> ReadWaveImage(std::span<const std::uint8_t> image);

}  // namespace vornikat
