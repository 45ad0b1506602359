// SPDX-License-Identifier: MIT
#include "layout.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vornikat {

FontDesign DefaultFont() {
    return FontDesign{u"MS Sans Serif", 8.0, 400, 204};
}

const ControlDesign* FindControl(const WindowDesign& window, std::string_view name) {
    for (const auto& control : window.controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

std::vector<const ControlDesign*> TabOrder(const WindowDesign& window) {
    std::vector<const ControlDesign*> order;
    for (const auto& control : window.controls) {
        if (control.tabIndex >= 0) {
            order.push_back(&control);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

std::vector<const ControlDesign*> FocusOrder(const WindowDesign& window) {
    std::vector<const ControlDesign*> order = TabOrder(window);
    std::erase_if(order, [](const ControlDesign* control) {
        return control->kind != ControlKind::CommandButton &&
               control->kind != ControlKind::OptionButton &&
               control->kind != ControlKind::PictureBox;
    });
    return order;
}

std::string_view ControlName(ControlId control) {
    switch (control) {
        case ControlId::LblQ:
            return "LblQ";
        case ControlId::LblC:
            return "LblC";
        case ControlId::LblT:
            return "LblT";
        case ControlId::Ans1:
            return "Ans1";
        case ControlId::Ans2:
            return "Ans2";
        case ControlId::Ans3:
            return "Ans3";
        case ControlId::Ans4:
            return "Ans4";
        case ControlId::Ans5:
            return "Ans5";
    }
    return {};
}

int TwipsToPixels(int twips, int dotsPerInch) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dotsPerInch / 1440.0));
}

PixelRect LinePixelRect(const LineDesign& line, int dotsPerInch) {
    const int left = TwipsToPixels(std::min(line.x1, line.x2), dotsPerInch);
    const int top = TwipsToPixels(std::min(line.y1, line.y2), dotsPerInch);
    const int right = TwipsToPixels(std::max(line.x1, line.x2), dotsPerInch);
    const int bottom = TwipsToPixels(std::max(line.y1, line.y2), dotsPerInch);
    return PixelRect{left, top, std::max(right - left, line.widthPixels),
                     std::max(bottom - top, line.widthPixels)};
}

}  // namespace vornikat
