// SPDX-License-Identifier: MIT
#include "window_frame.hpp"

namespace vornikat::win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

WindowFrame FrameFor(const WindowDesign& design, int dpi) {
    WindowFrame frame{};
    if (design.border == BorderStyle::FixedDialog) {
        frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        frame.exStyle = WS_EX_DLGMODALFRAME;
    } else {
        frame.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    }
    if (design.minimizeButton) {
        frame.style |= WS_MINIMIZEBOX;
    }
    if (design.maximizeButton) {
        frame.style |= WS_MAXIMIZEBOX;
    }
    RECT rect{0, 0, TwipsToPixels(design.clientWidth, dpi),
              TwipsToPixels(design.clientHeight, dpi)};
    AdjustWindowRectEx(&rect, frame.style, FALSE, frame.exStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int left = CW_USEDEFAULT;
    int top = CW_USEDEFAULT;
    if (design.centered) {
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    frame.bounds = RECT{left, top, left + width, top + height};
    return frame;
}

}  // namespace vornikat::win32
