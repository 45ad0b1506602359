// SPDX-License-Identifier: MIT
// Any bytes handed to the sound output either read as a playable image whose samples lie
// inside the bytes, in whole frames, or are refused; never a crash or a read outside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "wave_image.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto wave = vornikat::ReadWaveImage(std::span(data, size));
    if (!wave) {
        return 0;
    }
    const std::size_t frame = wave->format.channels * wave->format.bitsPerSample / 8U;
    const bool inside =
        wave->samples.data() >= data && wave->samples.data() + wave->samples.size() <= data + size;
    if (!inside || frame == 0 || wave->samples.empty() || wave->samples.size() % frame != 0) {
        std::abort();
    }
    return 0;
}
