// SPDX-License-Identifier: MIT
#include "embedded_resources.hpp"

namespace vornikat {

std::optional<std::span<const std::uint8_t>> EmbeddedSound(int id) {
    if (id == 101) {
        return embedded::Sound101();
    }
    if (id == 102) {
        return embedded::Sound102();
    }
    return std::nullopt;
}

std::span<const std::uint8_t> EmbeddedIcon() {
    return embedded::ProgramIcon();
}

std::optional<std::span<const std::uint8_t>> EmbeddedResources::LoadResource(std::string_view type,
                                                                             int id) {
    if (type != "SOUNDS") {
        return std::nullopt;
    }
    return EmbeddedSound(id);
}

}  // namespace vornikat
