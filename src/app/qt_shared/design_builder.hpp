// SPDX-License-Identifier: MIT
// Builds the controls of a window design as Qt widgets, sized for the display.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "layout.hpp"

namespace vornikat {

struct BuiltControls {
    // By control name; a member of a control array as "Line1(0)".
    std::map<std::string, QWidget*, std::less<>> byName;
    // The control that has the focus when the window is first shown.
    QWidget* firstFocus = nullptr;

    QWidget& At(std::string_view name) const;
    // The control as the kind of widget the design builds it as; a run-time error when the
    // name is missing or of another kind.
    template <class Widget>
    Widget& As(std::string_view name) const {
        auto* widget = qobject_cast<Widget*>(&At(name));
        if (widget == nullptr) {
            ThrowWrongKind();
        }
        return *widget;
    }

  private:
    [[noreturn]] static void ThrowWrongKind();
};

// Gives the window its caption, border, fixed client size and fonts, centred on its screen;
// the fonts follow the window to a screen of another scale.
void ApplyWindowDesign(const WindowDesign& design, QWidget& window);

// Gives a widget the design's client size and font alone: a picture of the window's inside,
// such as the bank editor's preview, with no frame or place of its own on the screen.
void ApplyClientDesign(const WindowDesign& design, QWidget& client);

// Creates every control of the design that has a presence on screen (not the timer) as a child
// of the window, in the design's order, with its tab order and first focus.
BuiltControls BuildControls(const WindowDesign& design, QWidget& window);

// Pixels on the window's display for a length in twips.
int ToPixels(const QWidget& window, int twips);

}  // namespace vornikat
