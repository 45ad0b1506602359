#include "help_window.hpp"

#include "wide_text.hpp"
#include "window_frame.hpp"

namespace vornikat::win32 {

HelpWindow::~HelpWindow() {
    if (owner_ != nullptr) {
        DestroyWindow(owner_);
    }
}

void HelpWindow::Show() {
    if (Handle() != nullptr) {
        SetForegroundWindow(Handle());
        return;
    }
    const WindowDesign& design = HelpDesign();
    if (owner_ == nullptr) {
        // Never shown: an owned window has no taskbar button, and a hidden owner ties the
        // box to no window the user sees.
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr);
    }
    if (!RegisterClassOnce(instance_, nullptr)) {
        return;
    }
    const int dpi = ScreenDpi();
    const WindowFrame frame = FrameFor(design, dpi);
    if (CreateBase(instance_, frame.exStyle, ToWide(design.caption).c_str(), frame.style,
                   frame.bounds.left, frame.bounds.top, frame.bounds.right - frame.bounds.left,
                   frame.bounds.bottom - frame.bounds.top, owner_) == nullptr) {
        return;
    }
    controls_.Build(Handle(), instance_, design, dpi);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    const auto order = FocusOrder(design);
    if (!order.empty()) {
        SetFocus(controls_.Find(order.front()->name));
    }
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
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            controls_.PaintLines(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            // Labels of a colour of their own; the rest keep the system's.
            const LRESULT brush = Default(message, wParam, lParam);
            const ControlDesign* label = controls_.DesignOf(reinterpret_cast<HWND>(lParam));
            if (label != nullptr && label->foreColor) {
                const Rgb& color = *label->foreColor;
                SetTextColor(reinterpret_cast<HDC>(wParam),
                             RGB(color.red, color.green, color.blue));
            }
            return brush;
        }
        case WM_CLOSE:
            // The close button closes the box as cmdOK does, with no handler of its own.
            Unload();
            return 0;
        case WM_NCDESTROY:
            controls_.Release();
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace vornikat::win32
