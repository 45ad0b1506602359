// SPDX-License-Identifier: MIT
#include "win32_sound.hpp"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

namespace vornikat::win32 {

void Win32Sound::PlayWave(std::span<const std::uint8_t> image) {
    // The image is a resource of the executable and outlives the sound; a failure is silent.
    sndPlaySoundA(reinterpret_cast<LPCSTR>(image.data()), SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace vornikat::win32
