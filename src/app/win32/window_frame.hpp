// SPDX-License-Identifier: MIT
// The frame of a top-level window from its design: styles by its border and buttons, and the
// outer rectangle that gives the designed client size, centred on the screen.
#pragma once

#include <windows.h>

#include "layout.hpp"

namespace vornikat::win32 {

struct WindowFrame {
    DWORD style;
    DWORD exStyle;
    RECT bounds;  // screen coordinates
};

WindowFrame FrameFor(const WindowDesign& design, int dpi);

// The logical dots per inch of the screen.
int ScreenDpi();

}  // namespace vornikat::win32
