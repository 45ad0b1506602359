// SPDX-License-Identifier: MIT
#include "help_window.hpp"

namespace vornikat::win32 {

HelpWindow::~HelpWindow() {
    if (owner_ != nullptr) {
        DestroyWindow(owner_);
    }
}

void HelpWindow::Show() {
    if (Handle() != nullptr) {
        // A window manager may minimize the box though it offers no button for it.
        if (IsIconic(Handle())) {
            ShowWindow(Handle(), SW_RESTORE);
        }
        SetForegroundWindow(Handle());
        return;
    }
    if (owner_ == nullptr) {
        // Never shown: an owned window has no taskbar button, and a hidden owner ties the
        // box to no window the user sees.
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr);
    }
    if (!RegisterClassOnce(instance_, nullptr)) {
        return;
    }
    if (!CreateFromDesign(instance_, HelpDesign(), owner_)) {
        return;
    }
    ShowWindow(Handle(), SW_SHOWNORMAL);
    FocusFirstControl();
}

void HelpWindow::Unload() {
    DestroyWindow(Handle());
}

void HelpWindow::OnCommand(int commandId) {
    const ControlDesign* source = controls_.DesignOfCommand(commandId);
    if (source == nullptr) {
        return;
    }
    if (source->name == "cmdOK") {
        body_->RunGuarded([this] { Unload(); });
    } else if (source->name == "cmdSysInfo") {
        body_->OnSysInfoClick();
    }
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                OnCommand(LOWORD(wParam));
            }
            return 0;
        case WM_CLOSE:
            // The close button closes the box as cmdOK does, with no handler of its own.
            Unload();
            return 0;
        default:
            return HandleDesignMessage(message, wParam, lParam);
    }
}

}  // namespace vornikat::win32
