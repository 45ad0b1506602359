// SPDX-License-Identifier: MIT
// The controls of one window, made from its design: placed by the display's logical DPI, with
// their fonts, tool tips and the dialog manager's styles (groups, tab stops, default button).
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "layout.hpp"

namespace vornikat::win32 {

class DesignedControls {
  public:
    DesignedControls() = default;
    ~DesignedControls();
    DesignedControls(const DesignedControls&) = delete;
    DesignedControls& operator=(const DesignedControls&) = delete;

    // Creates the controls in tab order, so that the dialog manager walks them in that order.
    void Build(HWND window, HINSTANCE instance, const WindowDesign& design, int dpi);
    // Frees the fonts; the controls went with their window.
    void Release();

    HWND Find(std::string_view name) const;
    // The control a WM_COMMAND comes from; Esc's IDCANCEL belongs to the cancel button.
    const ControlDesign* DesignOfCommand(int commandId) const;
    const ControlDesign* DesignOf(HWND control) const;
    // The option buttons that form one group with this one: those in the same container.
    std::vector<HWND> GroupOf(std::string_view option) const;

    // The window's lines, drawn on its client area.
    void PaintLines(HDC dc) const;

  private:
    struct Built {
        const ControlDesign* design;
        HWND hwnd;
        int commandId;
    };
    struct Font {
        FontDesign design;
        HFONT handle;
    };

    HFONT FontFor(const FontDesign& font);
    void AddToolTip(HWND window, HWND control, std::u16string_view text);

    const WindowDesign* design_ = nullptr;
    int dpi_ = 96;
    std::vector<Built> controls_;
    std::vector<Font> fonts_;
    HWND toolTips_ = nullptr;
};

}  // namespace vornikat::win32
