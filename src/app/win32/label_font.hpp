// SPDX-License-Identifier: MIT
// A label's font as the display really draws it. Where the system lacks a designed face (Wine
// gives another face for it), the face it gives may cut the label's text or draw its bold
// hardly heavier than its regular; then a face that shows the text whole, and bold as bold,
// takes its place. Judged by the ink of the drawn text, since the measures of a substituted
// face need not agree with its drawing.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vornikat::win32 {

// How a static label with these styles lays its text out.
UINT LabelTextFormat(DWORD style);

// The face name of the font the system made for this handle.
std::wstring FaceOf(HFONT font);

// True when the text, laid out in the label's size as the label lays it out, leaves no ink
// outside it.
bool TextFitsLabel(HFONT font, std::wstring_view text, SIZE label, UINT format);

// True when the font's weight is regular, or when its text carries clearly more ink than the
// same font at regular weight.
bool WeightShows(HFONT font, std::wstring_view text);

struct LabelFont {
    HFONT font;
    SIZE size;
};

// The font and size for a label: the designed ones where the system has the designed face or
// where what it gives shows the text well. Otherwise the first face, the system's own and then
// the fallbacks, that shows it well in the label's size or, failing that, in its room. A font
// other than `designed` is fresh and owned by the caller.
LabelFont ChooseLabelFont(HFONT designed, std::wstring_view designedFace, std::wstring_view text,
                          SIZE label, SIZE room, UINT format);

}  // namespace vornikat::win32
