// SPDX-License-Identifier: MIT
#include "wave_file.hpp"

#include "byte_writer.hpp"

namespace vornikat::resgen {

std::vector<std::uint8_t> MakeWaveFile(std::span<const std::uint8_t> samples,
                                       std::uint32_t samplesPerSecond) {
    constexpr std::uint32_t kFormatLength = 16;
    const auto dataLength = static_cast<std::uint32_t>(samples.size());
    // Begun with its first tag rather than empty: growing an empty vector trips GCC 12's
    // -Wstringop-overflow.
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
    PutUint32(out, 4 + (8 + kFormatLength) + (8 + dataLength));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutUint32(out, kFormatLength);
    PutUint16(out, 1);  // PCM
    PutUint16(out, 1);  // mono
    PutUint32(out, samplesPerSecond);
    PutUint32(out, samplesPerSecond);  // bytes per second: one byte a sample
    PutUint16(out, 1);                 // block align
    PutUint16(out, 8);                 // bits per sample
    PutTag(out, "data");
    PutUint32(out, dataLength);
    out.insert(out.end(), samples.begin(), samples.end());
    if (dataLength % 2 != 0) {
        PutUint8(out, 0);
    }
    return out;
}

}  // namespace vornikat::resgen
