// SPDX-License-Identifier: MIT
// The program's two sounds, synthesised: 8-bit unsigned mono samples at 11025 per second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vornikat::resgen {

inline constexpr std::uint32_t kSampleRate = 11025;
inline constexpr std::size_t kChimeSamples = 7507;  // 0.681 s
inline constexpr std::size_t kBuzzSamples = 11488;  // 1.042 s

// The right-answer sound: a quick rising bell arpeggio.
std::vector<std::uint8_t> SynthesizeChime();

// The wrong-answer sound: three falling muted-brass "wah" notes, the last one wobbling.
std::vector<std::uint8_t> SynthesizeBuzz();

}  // namespace vornikat::resgen
