#include "embedded_icon.hpp"

#include "embedded_files.hpp"

namespace vornikat {

std::span<const std::uint8_t> EmbeddedIcon() {
    return embedded::ProgramIcon();
}

}  // namespace vornikat
