#include "display_check.hpp"

#include <cstdlib>

namespace vornikat {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

std::string MissingDisplayMessage() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        return {};
    }
    return "vornikat: no display to open the window on (DISPLAY is not set); start it from a "
           "desktop session, or under xvfb-run";
}

}  // namespace vornikat
