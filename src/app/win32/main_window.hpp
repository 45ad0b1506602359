// SPDX-License-Identifier: MIT
// Main, the quiz window: built from its design, its events handed to the core, and the
// operations of the core carried out on its controls.
#pragma once

#include <windows.h>

#include "body.hpp"
#include "designed_window.hpp"
#include "ports.hpp"

namespace vornikat::win32 {

class HelpWindow;

class MainWindow : public DesignedWindow<MainWindow>, public MainWindowPort {
  public:
    static constexpr wchar_t kClassName[] = L"VornikatMain";

    MainWindow(HINSTANCE instance, HelpWindow& help) : instance_(instance), help_(help) {}

    // Creates the window and its controls, not yet shown: the start-up runs before that.
    bool Create(Body& body);
    // Shows the window with the focus on the first control of the tab order.
    void Show();

    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnCommand(int commandId);
    HWND Control(ControlId control) const;

    HINSTANCE instance_;
    HelpWindow& help_;
    Body* body_ = nullptr;
    // The focus the core gave while another window was active, taken at the next activation.
    HWND pendingFocus_ = nullptr;
};

}  // namespace vornikat::win32
