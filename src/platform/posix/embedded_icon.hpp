// The program icon carried inside the Linux executables.
#pragma once

#include <cstdint>
#include <span>

namespace vornikat {

// The icon file (32 x 32, 16 colours), valid for the program's life.
std::span<const std::uint8_t> EmbeddedIcon();

}  // namespace vornikat
