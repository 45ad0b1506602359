// SPDX-License-Identifier: MIT
// Windows of a fixed size, kept at it whatever the window system asks of them.
#pragma once

class QWidget;

namespace vornikat {

// Keeps a top-level window of fixed size at its size and out of the maximized and full-screen
// states. A Wayland compositor may maximize any window, and a client that then draws at any
// other size than the one it was given is disconnected; so there the window tells the
// compositor its least size only, draws at the compositor's size for the moment it takes to
// ask for its normal state back, and returns to its own size after any resize.
void KeepSizeFixed(QWidget& window);

// To be called after the window's fixed size changed: on Wayland, Qt has just told the
// compositor the new size as the window's largest again.
void LeaveLargestSizeOpen(QWidget& window);

}  // namespace vornikat
