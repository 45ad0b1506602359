// SPDX-License-Identifier: MIT
#include "designed_controls.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "text.hpp"
#include "wide_text.hpp"

namespace vornikat::win32 {
namespace {

constexpr int kFirstCommandId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send

struct ControlClass {
    LPCWSTR className;
    DWORD style;
};

ControlClass ClassFor(const ControlDesign& c) {
    switch (c.kind) {
        case ControlKind::CommandButton:
            return {L"BUTTON", static_cast<DWORD>(c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                                   WS_TABSTOP};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::OptionButton:
            return {L"BUTTON", BS_AUTORADIOBUTTON | BS_MULTILINE};
        case ControlKind::PictureBox:
            return {L"STATIC", SS_ICON | SS_NOTIFY | WS_TABSTOP};
        case ControlKind::Label:
        default:
            // Labels show their text as it is ("&" is a character) and report the mouse,
            // so that their tool tips see it.
            return {L"STATIC",
                    static_cast<DWORD>(c.alignment == Alignment::Center ? SS_CENTER : SS_LEFT) |
                        SS_NOPREFIX | SS_NOTIFY};
    }
}

bool SameFont(const FontDesign& a, const FontDesign& b) {
    return a.face == b.face && a.points == b.points && a.weight == b.weight &&
           a.charset == b.charset;
}

// How far a window's own label may grow, right and then down, where its text would be cut:
// up to the controls beside and below it, and as far from the window's edge as the design's
// outermost control.
SIZE RoomOf(const WindowDesign& design, const ControlDesign& label, int dpi) {
    constexpr int kGap = 60;
    int margin = design.clientWidth;
    for (const auto& other : design.controls) {
        if (!other.line && other.parent.empty()) {
            margin = std::min(margin, other.left);
        }
    }
    const int top = label.top;
    const int bottom = label.top + label.height;
    int right = design.clientWidth - margin;
    for (const auto& other : design.controls) {
        if (!other.line && other.parent.empty() && &other != &label &&
            other.left >= label.left + label.width && other.top < bottom &&
            other.top + other.height > top) {
            right = std::min(right, other.left - kGap);
        }
    }
    right = std::max(right, label.left + label.width);
    int lowest = design.clientHeight - margin;
    for (const auto& other : design.controls) {
        const int otherTop = other.line ? std::min(other.line->y1, other.line->y2) : other.top;
        const int otherLeft = other.line ? std::min(other.line->x1, other.line->x2) : other.left;
        const int otherRight =
            other.line ? std::max(other.line->x1, other.line->x2) : other.left + other.width;
        if (other.parent.empty() && &other != &label && otherTop >= bottom && otherLeft < right &&
            otherRight > label.left) {
            lowest = std::min(lowest, otherTop - kGap);
        }
    }
    lowest = std::max(lowest, bottom);
    return {TwipsToPixels(right - label.left, dpi), TwipsToPixels(lowest - label.top, dpi)};
}

}  // namespace

DesignedControls::~DesignedControls() {
    Release();
}

void DesignedControls::Release() {
    for (const auto& font : fonts_) {
        DeleteObject(font.handle);
    }
    fonts_.clear();
    for (HFONT font : labelFonts_) {
        DeleteObject(font);
    }
    labelFonts_.clear();
    controls_.clear();
    toolTips_ = nullptr;
}

void DesignedControls::Build(HWND window, HINSTANCE instance, const WindowDesign& design, int dpi) {
    Release();
    design_ = &design;
    dpi_ = dpi;
    toolTips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);

    const ControlDesign* previous = nullptr;
    int nextId = kFirstCommandId;
    for (const ControlDesign* c : TabOrder(design)) {
        auto [className, style] = ClassFor(*c);
        // An option button carries on the group of the one before it in its container; every
        // other control starts a group, which also ends the options' group before it.
        const bool continuesGroup = c->kind == ControlKind::OptionButton && previous != nullptr &&
                                    previous->kind == ControlKind::OptionButton &&
                                    previous->parent == c->parent;
        style |= WS_CHILD | WS_VISIBLE | (continuesGroup ? 0 : WS_GROUP);
        if (c->kind == ControlKind::OptionButton && !continuesGroup) {
            style |= WS_TABSTOP;
        }
        int x = TwipsToPixels(c->left, dpi);
        int y = TwipsToPixels(c->top, dpi);
        if (!c->parent.empty()) {
            const ControlDesign* container = FindControl(design, c->parent);
            x += TwipsToPixels(container->left, dpi);
            y += TwipsToPixels(container->top, dpi);
        }
        const int id = c->isDefault ? IDOK : nextId++;
        // An option's text shows "&" as the character, as the captions set later do.
        const std::wstring text =
            ToWide(c->kind == ControlKind::OptionButton ? EscapeAccessKeys(c->text)
                                                        : std::u16string(c->text));
        const FontDesign font = c->font.value_or(DefaultFont());
        LabelFont chosen{FontFor(font),
                         {TwipsToPixels(c->width, dpi), TwipsToPixels(c->height, dpi)}};
        if (c->kind == ControlKind::Label && c->parent.empty()) {
            chosen =
                FontForLabel(chosen.font, font, text, chosen.size, RoomOf(design, *c, dpi), style);
        }
        HWND hwnd = CreateWindowExW(
            0, className, text.c_str(), style, x, y, chosen.size.cx, chosen.size.cy, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(chosen.font), FALSE);
        if (c->kind == ControlKind::PictureBox) {
            SendMessageW(hwnd, STM_SETICON,
                         reinterpret_cast<WPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(1))), 0);
        }
        if (!c->accessibleName.empty()) {
            // Screen readers name a control by its window text. An icon control would take a
            // text sent to it for the name of an icon to load, so the text is set around it.
            const std::wstring name = ToWide(c->accessibleName);
            DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        if (c->startsSelected) {
            SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        }
        if (!c->toolTip.empty()) {
            AddToolTip(window, hwnd, c->toolTip);
        }
        controls_.push_back({c, hwnd, id});
        previous = c;
    }
}

HFONT DesignedControls::FontFor(const FontDesign& font) {
    for (const auto& made : fonts_) {
        if (SameFont(made.design, font)) {
            return made.handle;
        }
    }
    const int height = -static_cast<int>(std::lround(font.points * dpi_ / 72.0));
    HFONT handle =
        CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                    static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ToWide(font.face).c_str());
    fonts_.push_back({font, handle});
    return handle;
}

LabelFont DesignedControls::FontForLabel(HFONT designed, const FontDesign& font,
                                         std::wstring_view text, SIZE label, SIZE room,
                                         DWORD style) {
    const LabelFont chosen =
        ChooseLabelFont(designed, ToWide(font.face), text, label, room, LabelTextFormat(style));
    if (chosen.font != designed) {
        labelFonts_.push_back(chosen.font);
    }
    return chosen;
}

void DesignedControls::AddToolTip(HWND window, HWND control, std::u16string_view text) {
    std::wstring wide = ToWide(text);
    TOOLINFOW tool{};
    // The size of the common controls that a program without a manifest gets.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();  // copied by the tool tip control
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND DesignedControls::Find(std::string_view name) const {
    for (const auto& built : controls_) {
        if (built.design->name == name) {
            return built.hwnd;
        }
    }
    return nullptr;
}

const ControlDesign* DesignedControls::DesignOfCommand(int commandId) const {
    for (const auto& built : controls_) {
        if (commandId == IDCANCEL ? built.design->isCancel : built.commandId == commandId) {
            return built.design;
        }
    }
    return nullptr;
}

const ControlDesign* DesignedControls::DesignOf(HWND control) const {
    for (const auto& built : controls_) {
        if (built.hwnd == control) {
            return built.design;
        }
    }
    return nullptr;
}

std::vector<HWND> DesignedControls::GroupOf(std::string_view option) const {
    std::vector<HWND> group;
    const ControlDesign* own = design_ != nullptr ? FindControl(*design_, option) : nullptr;
    if (own == nullptr) {
        return group;
    }
    for (const auto& built : controls_) {
        if (built.design->kind == ControlKind::OptionButton &&
            built.design->parent == own->parent) {
            group.push_back(built.hwnd);
        }
    }
    return group;
}

void DesignedControls::PaintLines(HDC dc) const {
    if (design_ == nullptr) {
        return;
    }
    // The designs hold only horizontal and vertical lines; each is filled as a band of its
    // width below or right of its coordinates, later lines over earlier ones, so that the two
    // of an engraved rule lie one under the other.
    for (const auto& control : design_->controls) {
        if (!control.line) {
            continue;
        }
        const LineDesign& line = *control.line;
        const PixelRect pixels = LinePixelRect(line, dpi_);
        const RECT band{pixels.left, pixels.top, pixels.left + pixels.width,
                        pixels.top + pixels.height};
        HBRUSH brush = CreateSolidBrush(RGB(line.color.red, line.color.green, line.color.blue));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

}  // namespace vornikat::win32
