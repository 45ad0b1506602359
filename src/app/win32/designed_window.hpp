// SPDX-License-Identifier: MIT
// A window made from its design: framed and placed by it, its controls built from it, its lines
// drawn and its labels coloured as the design says. Main and the About box are both one.
#pragma once

#include <windows.h>

#include <vector>

#include "base_window.hpp"
#include "designed_controls.hpp"
#include "layout.hpp"
#include "wide_text.hpp"
#include "window_frame.hpp"

namespace vornikat::win32 {

template <typename T>
class DesignedWindow : public BaseWindow<T> {
  protected:
    ~DesignedWindow() = default;

    // Creates the window, not yet shown, with the frame and controls of its design.
    bool CreateFromDesign(HINSTANCE instance, const WindowDesign& design, HWND owner) {
        const int dpi = ScreenDpi();
        const WindowFrame frame = FrameFor(design, dpi);
        if (this->CreateBase(instance, frame.exStyle, ToWide(design.caption).c_str(), frame.style,
                             frame.bounds.left, frame.bounds.top,
                             frame.bounds.right - frame.bounds.left,
                             frame.bounds.bottom - frame.bounds.top, owner) == nullptr) {
            return false;
        }
        design_ = &design;
        controls_.Build(this->Handle(), instance, design, dpi);
        return true;
    }

    // Gives the focus to the first control of the design's tab order.
    void FocusFirstControl() {
        const auto order =
            design_ != nullptr ? FocusOrder(*design_) : std::vector<const ControlDesign*>{};
        if (!order.empty()) {
            ::SetFocus(controls_.Find(order.front()->name));
        }
    }

    // The messages every designed window answers alike; the derived window's handler passes
    // on what it leaves alone.
    LRESULT HandleDesignMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(this->Handle(), &paint);
                controls_.PaintLines(dc);
                EndPaint(this->Handle(), &paint);
                return 0;
            }
            case WM_CTLCOLORSTATIC: {
                // Labels of a colour of their own; the rest keep the system's.
                const LRESULT brush = this->Default(message, wParam, lParam);
                const ControlDesign* label = controls_.DesignOf(reinterpret_cast<HWND>(lParam));
                if (label != nullptr && label->foreColor) {
                    const Rgb& color = *label->foreColor;
                    SetTextColor(reinterpret_cast<HDC>(wParam),
                                 RGB(color.red, color.green, color.blue));
                }
                return brush;
            }
            case WM_NCDESTROY:
                controls_.Release();
                return this->Default(message, wParam, lParam);
            default:
                return this->Default(message, wParam, lParam);
        }
    }

    DesignedControls controls_;

  private:
    const WindowDesign* design_ = nullptr;
};

}  // namespace vornikat::win32
