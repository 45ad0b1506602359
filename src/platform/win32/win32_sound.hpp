// SPDX-License-Identifier: MIT
// Sound through the system's own player: a WAV image in memory, played in the background.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Sound : public SoundPort {
  public:
    void PlayWave(std::span<const std::uint8_t> image) override;
};

}  // namespace vornikat::win32
