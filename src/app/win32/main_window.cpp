// SPDX-License-Identifier: MIT
#include "main_window.hpp"

#include <string>

#include "help_window.hpp"
#include "text.hpp"
#include "wide_text.hpp"

namespace vornikat::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

bool MainWindow::Create(Body& body) {
    body_ = &body;
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    return RegisterClassOnce(instance_, icon) && CreateFromDesign(instance_, MainDesign(), nullptr);
}

void MainWindow::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    FocusFirstControl();
}

HWND MainWindow::Control(ControlId control) const {
    return controls_.Find(ControlName(control));
}

void MainWindow::SetCaption(ControlId control, std::u16string_view text) {
    const HWND hwnd = Control(control);
    const ControlDesign* design = FindControl(MainDesign(), ControlName(control));
    const bool option = design != nullptr && design->kind == ControlKind::OptionButton;
    // Button captions turn "&" into an access key; question texts show it as a character.
    SetWindowTextW(hwnd, ToWide(option ? EscapeAccessKeys(text) : std::u16string(text)).c_str());
}

std::int16_t MainWindow::GetValue(ControlId option) {
    return SendMessageW(Control(option), BM_GETCHECK, 0, 0) == BST_CHECKED ? kTrue : kFalse;
}

void MainWindow::SetValue(ControlId option, std::int16_t value) {
    const HWND hwnd = Control(option);
    if (value != kFalse) {
        for (HWND other : controls_.GroupOf(ControlName(option))) {
            if (other != hwnd) {
                SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    SendMessageW(hwnd, BM_SETCHECK, value != kFalse ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::SetFocus(ControlId control) {
    // Giving the focus to a control of an inactive window would activate it: a time-out
    // must not pull Main in front of the About box, so the focus waits for Main's turn.
    const HWND hwnd = Control(control);
    if (GetActiveWindow() == Handle()) {
        ::SetFocus(hwnd);
    } else {
        pendingFocus_ = hwnd;
    }
}

void MainWindow::SetTimerInterval(std::int32_t milliseconds) {
    if (milliseconds == 0) {
        KillTimer(Handle(), kTimerId);
    } else {
        SetTimer(Handle(), kTimerId, static_cast<UINT>(milliseconds), nullptr);
    }
}

void MainWindow::OnCommand(int commandId) {
    const ControlDesign* source = controls_.DesignOfCommand(commandId);
    if (source == nullptr) {
        return;  // Enter and Esc: Main has no default or cancel button
    }
    if (source->name == "Nxt") {
        body_->OnNxtClick();
    } else if (source->name == "Exit") {
        body_->OnExitClick();
    } else if (source->name == "HelpMe") {
        body_->RunGuarded([this] { help_.Show(); });
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                OnCommand(LOWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId) {
                body_->OnTimerTick();
            }
            return 0;
        case WM_CLOSE: {
            std::int16_t cancel = 0;
            body_->OnCloseRequest(cancel);
            if (cancel == 0) {
                DestroyWindow(Handle());
            }
            return 0;
        }
        case WM_ACTIVATE: {
            const LRESULT result = Default(message, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE && pendingFocus_ != nullptr) {
                ::SetFocus(pendingFocus_);
                pendingFocus_ = nullptr;
            }
            return result;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return HandleDesignMessage(message, wParam, lParam);
    }
}

}  // namespace vornikat::win32
