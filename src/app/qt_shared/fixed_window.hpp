// SPDX-License-Identifier: MIT
// Windows of a fixed size, kept at it whatever the window system asks of them.
#pragma once

class QWidget;

namespace vornikat {

// Keeps a top-level window of fixed size at its size and out of the maximized and full-screen
// states. The window tells the window system its size as both its least and its largest, so
// that a window manager or a compositor that draws the title bars offers no maximize and no
// resizing, and a tiling one lets it float at its size. On Wayland with the title bars drawn
// by Qt, Qt's title bar offers maximize whatever the window asks, and a client that then draws
// at any other size than the compositor's is disconnected; there the window tells its least
// size only, draws at the compositor's size for the moment it takes to ask for its normal state
// back, and returns to its own size after any resize.
void KeepSizeFixed(QWidget& window);

// To be called after the window's fixed size changed: Qt has just told the window system the
// new size as the window's largest, which holds unless Qt draws the title bar on Wayland.
void TellFixedSize(QWidget& window);

// Whether Qt draws the window's title bar and frame itself (Wayland without the compositor's
// decorations), known once the window is on the screen.
bool QtDrawsTitleBar(const QWidget& window);

}  // namespace vornikat
