// SPDX-License-Identifier: MIT
#include "label_font.hpp"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <initializer_list>

namespace vornikat::win32 {
namespace {

// Faces tried in turn where the designed one is missing: a Windows face that Wine ships, then
// narrow and wide faces common on the systems Wine runs on.
constexpr const wchar_t* kFallbackFaces[] = {L"Tahoma", L"DejaVu Sans Condensed", L"DejaVu Sans",
                                             L"Liberation Sans"};

// A bold that adds less ink than this share reads as regular.
constexpr double kBoldInkGain = 1.15;

// The margin around the label where ink that spills over is looked for.
constexpr int kSpill = 64;

struct Ink {
    long inside = 0;
    long outside = 0;
};

// Draws the text in black on white as a label of this size would, with room around it, and
// sums the darkness of the pixels inside and outside the label.
Ink InkOf(HFONT font, std::wstring_view text, SIZE label, UINT format) {
    Ink ink;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const int width = label.cx + 2 * kSpill;
    const int height = label.cy + 2 * kSpill;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr || bits == nullptr) {
        DeleteDC(dc);
        return ink;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT box{kSpill, kSpill, kSpill + label.cx, kSpill + label.cy};
    std::wstring copy(text);
    DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &box, format | DT_NOCLIP);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const long dark = 255 - static_cast<long>(pixels[y * width + x] & 0xFF);
            const bool in = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            (in ? ink.inside : ink.outside) += dark;
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
}

bool SameFace(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    });
}

HFONT WithFace(HFONT font, const wchar_t* face) {
    LOGFONTW logical{};
    GetObjectW(font, sizeof(logical), &logical);
    lstrcpynW(logical.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&logical);
}

bool ShowsWell(HFONT font, std::wstring_view text, SIZE label, UINT format) {
    return TextFitsLabel(font, text, label, format) && WeightShows(font, text);
}

}  // namespace

UINT LabelTextFormat(DWORD style) {
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT;
            break;
        default:
            break;
    }
    return (style & SS_NOPREFIX) != 0 ? format | DT_NOPREFIX : format;
}

std::wstring FaceOf(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return face;
}

bool TextFitsLabel(HFONT font, std::wstring_view text, SIZE label, UINT format) {
    return InkOf(font, text, label, format).outside == 0;
}

bool WeightShows(HFONT font, std::wstring_view text) {
    LOGFONTW logical{};
    GetObjectW(font, sizeof(logical), &logical);
    if (logical.lfWeight <= FW_NORMAL) {
        return true;
    }
    logical.lfWeight = FW_NORMAL;
    HFONT regular = CreateFontIndirectW(&logical);
    // One line, wide enough that nothing wraps.
    const SIZE line{1024, 128};
    const long heavy = InkOf(font, text, line, DT_SINGLELINE | DT_NOPREFIX).inside;
    const long light = InkOf(regular, text, line, DT_SINGLELINE | DT_NOPREFIX).inside;
    DeleteObject(regular);
    return static_cast<double>(heavy) >= kBoldInkGain * static_cast<double>(light);
}

LabelFont ChooseLabelFont(HFONT designed, std::wstring_view designedFace, std::wstring_view text,
                          SIZE label, SIZE room, UINT format) {
    if (SameFace(FaceOf(designed), designedFace)) {
        return {designed, label};
    }
    for (SIZE size : {label, room}) {
        if (ShowsWell(designed, text, size, format)) {
            return {designed, size};
        }
    }
    for (const wchar_t* face : kFallbackFaces) {
        HFONT candidate = WithFace(designed, face);
        if (SameFace(FaceOf(candidate), face)) {
            for (SIZE size : {label, room}) {
                if (ShowsWell(candidate, text, size, format)) {
                    return {candidate, size};
                }
            }
        }
        DeleteObject(candidate);
    }
    return {designed, label};
}

}  // namespace vornikat::win32
