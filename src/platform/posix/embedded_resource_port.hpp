// The program's own resources as the core asks for them, served from the embedded files.
#pragma once

#include "ports.hpp"

namespace vornikat {

class EmbeddedResources : public ResourcePort {
  public:
    // "SOUNDS" 101 and 102; nothing else is read by the program itself.
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
};

}  // namespace vornikat
