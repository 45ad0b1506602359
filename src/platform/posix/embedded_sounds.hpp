// The two sounds carried inside the Linux executables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vornikat {

// The WAV image of sound 101 or 102, valid for the program's life; nullopt for other ids.
std::optional<std::span<const std::uint8_t>> EmbeddedSound(int id);

}  // namespace vornikat
