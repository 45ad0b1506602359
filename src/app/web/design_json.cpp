// SPDX-License-Identifier: MIT
#include "design_json.hpp"

#include "text.hpp"

namespace vornikat {
namespace {

void AppendString(std::string& out, std::string_view utf8) {
    out += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendField(std::string& out, std::string_view name, std::u16string_view text) {
    AppendString(out, name);
    out += ':';
    AppendString(out, ToUtf8(text));
    out += ',';
}

void AppendField(std::string& out, std::string_view name, std::string_view text) {
    AppendString(out, name);
    out += ':';
    AppendString(out, text);
    out += ',';
}

void AppendField(std::string& out, std::string_view name, double number) {
    AppendString(out, name);
    out += ':';
    // Twips, points and weights: whole numbers or quarters, exact in this form.
    const auto hundredths = static_cast<long long>(number * 100.0 + (number < 0 ? -0.5 : 0.5));
    out += std::to_string(hundredths / 100);
    if (hundredths % 100 != 0) {
        const auto rest = (hundredths < 0 ? -hundredths : hundredths) % 100;
        out += '.';
        out += static_cast<char>('0' + rest / 10);
        out += static_cast<char>('0' + rest % 10);
    }
    out += ',';
}

void AppendFlag(std::string& out, std::string_view name, bool flag) {
    AppendString(out, name);
    out += flag ? ":true," : ":false,";
}

std::string Color(const Rgb& rgb) {
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + ")";
}

void AppendFont(std::string& out, const FontDesign& font) {
    out += '{';
    AppendField(out, "face", font.face);
    AppendField(out, "points", font.points);
    AppendField(out, "weight", font.weight);
    out.back() = '}';
}

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::CommandButton:
            return "button";
        case ControlKind::Timer:
            return "timer";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Label:
            return "label";
        case ControlKind::OptionButton:
            return "option";
        case ControlKind::PictureBox:
            return "picture";
        case ControlKind::Line:
            return "line";
    }
    return "";
}

void AppendControl(std::string& out, const ControlDesign& c) {
    out += '{';
    AppendField(out, "name", c.name);
    AppendField(out, "kind", KindName(c.kind));
    AppendField(out, "parent", c.parent);
    AppendField(out, "left", c.left);
    AppendField(out, "top", c.top);
    AppendField(out, "width", c.width);
    AppendField(out, "height", c.height);
    AppendField(out, "tabIndex", c.tabIndex);
    AppendField(out, "arrayIndex", c.arrayIndex);
    AppendField(out, "text", c.text);
    AppendField(out, "toolTip", c.toolTip);
    AppendField(out, "accessibleName", c.accessibleName);
    AppendFlag(out, "center", c.alignment == Alignment::Center);
    AppendFlag(out, "isDefault", c.isDefault);
    AppendFlag(out, "isCancel", c.isCancel);
    AppendFlag(out, "startsSelected", c.startsSelected);
    if (c.font) {
        out += "\"font\":";
        AppendFont(out, *c.font);
        out += ',';
    }
    if (c.foreColor) {
        AppendField(out, "color", Color(*c.foreColor));
    }
    if (c.line) {
        const PixelRect band = LinePixelRect(*c.line, 96);
        out += "\"band\":{";
        AppendField(out, "left", band.left);
        AppendField(out, "top", band.top);
        AppendField(out, "width", band.width);
        AppendField(out, "height", band.height);
        AppendField(out, "color", Color(c.line->color));
        out.back() = '}';
        out += ',';
    }
    out.back() = '}';
}

}  // namespace

std::string DesignToJson(const WindowDesign& window) {
    std::string out = "{";
    AppendField(out, "name", window.name);
    AppendField(out, "caption", window.caption);
    AppendField(out, "clientWidth", window.clientWidth);
    AppendField(out, "clientHeight", window.clientHeight);
    out += "\"defaultFont\":";
    AppendFont(out, DefaultFont());
    out += ",\"focusOrder\":[";
    for (const ControlDesign* c : FocusOrder(window)) {
        AppendString(out, c->name);
        out += ',';
    }
    if (out.back() == ',') {
        out.pop_back();
    }
    out += "],\"controls\":[";
    for (const ControlDesign& c : window.controls) {
        AppendControl(out, c);
        out += ',';
    }
    out.back() = ']';
    out += '}';
    return out;
}

}  // namespace vornikat
