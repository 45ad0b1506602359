// SPDX-License-Identifier: MIT
// The program's own resources, straight from its executable: the bytes stay where the loader
// mapped them, valid for the program's life, so nothing is copied.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Resources : public ResourcePort {
  public:
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
};

}  // namespace vornikat::win32
