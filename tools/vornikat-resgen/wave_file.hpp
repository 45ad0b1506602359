// SPDX-License-Identifier: MIT
// Writing 8-bit mono PCM samples as a RIFF WAVE file image.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vornikat::resgen {

// "RIFF", size, "WAVE", the "fmt " chunk and the "data" chunk, nothing else. An odd data
// chunk gets its pad byte, which the RIFF size leaves out.
std::vector<std::uint8_t> MakeWaveFile(std::span<const std::uint8_t> samples,
                                       std::uint32_t samplesPerSecond);

}  // namespace vornikat::resgen
