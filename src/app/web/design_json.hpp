// SPDX-License-Identifier: MIT
// A window's design as JSON, for the page's script to build the window from.
#pragma once

#include <string>

#include "layout.hpp"

namespace vornikat {

std::string DesignToJson(const WindowDesign& window);

}  // namespace vornikat
