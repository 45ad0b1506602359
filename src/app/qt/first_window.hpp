// SPDX-License-Identifier: MIT
// Work that waits until the program has something on screen, so that it does not slow the start.
#pragma once

#include <functional>

namespace vornikat {

// Runs the action once, on the GUI thread, right after the first of the program's windows is
// first exposed (mapped and drawn). Needs the application object.
void RunWhenFirstWindowShown(std::function<void()> action);

}  // namespace vornikat
