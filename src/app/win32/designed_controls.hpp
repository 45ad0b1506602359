// SPDX-License-Identifier: MIT
// The controls of one window, made from its design: placed by the display's logical DPI, with
// their fonts (a label's checked against what the system draws), tool tips and the dialog manager's
// styles (groups, tab stops, default button).
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "label_font.hpp"
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
    // The designed font and size, or where the system's stand-in for the designed face would
    // cut the label's text or hide its weight, a larger size within its room or another face.
    LabelFont FontForLabel(HFONT designed, const FontDesign& font, std::wstring_view text,
                           SIZE label, SIZE room, DWORD style);
    void AddToolTip(HWND window, HWND control, std::u16string_view text);

    const WindowDesign* design_ = nullptr;
    int dpi_ = 96;
    std::vector<Built> controls_;
    std::vector<Font> fonts_;
    std::vector<HFONT> labelFonts_;
    HWND toolTips_ = nullptr;
};

}  // namespace vornikat::win32
