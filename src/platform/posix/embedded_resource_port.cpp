#include "embedded_resource_port.hpp"

#include "embedded_sounds.hpp"

namespace vornikat {

std::optional<std::span<const std::uint8_t>> EmbeddedResources::LoadResource(std::string_view type,
                                                                             int id) {
    if (type != "SOUNDS") {
        return std::nullopt;
    }
    return EmbeddedSound(id);
}

}  // namespace vornikat
