// The files compiled into the program, each defined by a source generated at build time.
#pragma once

#include <cstdint>
#include <span>

namespace vornikat::embedded {

std::span<const std::uint8_t> Sound101();
std::span<const std::uint8_t> Sound102();
std::span<const std::uint8_t> ProgramIcon();

}  // namespace vornikat::embedded
