// SPDX-License-Identifier: MIT
// The sounds and the icon carried inside the Linux executables and the page, and the program's
// resources served from them as the core asks for them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ports.hpp"

namespace vornikat {

namespace embedded {
// Each defined by a source generated at build time from its file (embed_file.cmake).
std::span<const std::uint8_t> Sound101();
std::span<const std::uint8_t> Sound102();
std::span<const std::uint8_t> ProgramIcon();
}  // namespace embedded

// The WAV image of sound 101 or 102, valid for the program's life; nullopt for other ids.
std::optional<std::span<const std::uint8_t>> EmbeddedSound(int id);

// The icon file (32 x 32, 16 colours), valid for the program's life.
std::span<const std::uint8_t> EmbeddedIcon();

class EmbeddedResources : public ResourcePort {
  public:
    // "SOUNDS" 101 and 102; nothing else is read by the program itself.
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
};

}  // namespace vornikat
