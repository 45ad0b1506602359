// SPDX-License-Identifier: MIT
// The designs of the two windows, as data: every front-end builds its windows from these.
// Positions and sizes are in twips; a control inside a frame is placed relative to it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "ports.hpp"

namespace vornikat {

enum class ControlKind : std::uint8_t {
    CommandButton,
    Timer,
    Frame,
    Label,
    OptionButton,
    PictureBox,
    Line,
};

enum class Alignment : std::uint8_t { Left, Center };

struct FontDesign {
    std::u16string_view face;
    double points;
    int weight;   // 400 normal, 700 bold
    int charset;  // 204 Cyrillic
};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct LineDesign {
    int x1;
    int y1;
    int x2;
    int y2;
    Rgb color;
    int widthPixels;
};

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    std::string_view parent;  // empty: the window's client area
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1;    // -1: not in the tab order
    int arrayIndex = -1;  // index within a control array, -1 when not in one
    std::u16string_view text = {};
    std::u16string_view toolTip = {};
    std::u16string_view accessibleName = {};        // for a control that shows no text of its own
    std::optional<FontDesign> font = std::nullopt;  // nullopt: the window's default font
    Alignment alignment = Alignment::Left;
    std::optional<Rgb> foreColor = std::nullopt;  // nullopt: the default text colour
    bool isDefault = false;                       // Enter presses it
    bool isCancel = false;                        // Esc presses it
    bool startsSelected = false;                  // option buttons
    std::optional<LineDesign> line = std::nullopt;
};

enum class BorderStyle : std::uint8_t { FixedSingle, FixedDialog };

struct WindowDesign {
    std::string_view name;
    std::u16string_view caption;
    BorderStyle border;
    bool minimizeButton;
    bool maximizeButton;
    bool showInTaskbar;
    bool centered;
    int clientWidth;
    int clientHeight;
    std::span<const ControlDesign> controls;  // in the order the window is built
};

const WindowDesign& MainDesign();
const WindowDesign& HelpDesign();

// The font every control without a font of its own uses.
FontDesign DefaultFont();

// The design entry of a control, or nullptr.
const ControlDesign* FindControl(const WindowDesign& window, std::string_view name);

// The controls that have a tab index, in its order; equal indices keep the build order.
std::vector<const ControlDesign*> TabOrder(const WindowDesign& window);
// The controls that take the focus, in tab order (frames, labels, lines and the timer take none).
std::vector<const ControlDesign*> FocusOrder(const WindowDesign& window);

std::string_view ControlName(ControlId control);

// Twips to pixels on a display of the given logical dots per inch, rounded to the nearest.
int TwipsToPixels(int twips, int dotsPerInch);

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

// The band a line fills, in pixels of the window's client area: its end point is not drawn,
// and its width spreads down or to the right, so that it is never thinner than that width.
PixelRect LinePixelRect(const LineDesign& line, int dotsPerInch);

}  // namespace vornikat
