// SPDX-License-Identifier: MIT
// frmHelp, the About box: one object for the run, its window made afresh from the design at
// each show after a close. It is modeless and owned by a hidden window of its own, not by
// Main: it stays out of the taskbar, and Main can be used and minimized beside it.
#pragma once

#include <windows.h>

#include "body.hpp"
#include "designed_window.hpp"

namespace vornikat::win32 {

class HelpWindow : public DesignedWindow<HelpWindow> {
  public:
    static constexpr wchar_t kClassName[] = L"VornikatHelp";

    explicit HelpWindow(HINSTANCE instance) : instance_(instance) {}
    ~HelpWindow();

    void Attach(Body& body) { body_ = &body; }
    // Loads the window from its design when it is closed, and brings it to the front.
    void Show();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnCommand(int commandId);
    void Unload();

    HINSTANCE instance_;
    Body* body_ = nullptr;
    HWND owner_ = nullptr;
};

}  // namespace vornikat::win32
