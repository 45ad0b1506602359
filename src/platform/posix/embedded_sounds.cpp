#include "embedded_sounds.hpp"

#include "embedded_files.hpp"

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

}  // namespace vornikat
