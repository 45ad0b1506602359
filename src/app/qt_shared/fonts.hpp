// SPDX-License-Identifier: MIT
// The fonts of the window designs, on systems that may not carry the classic face they name.
#pragma once

#include <QFont>

#include "layout.hpp"

class QScreen;

namespace vornikat {

// How a screen draws text: device pixels per logical pixel, and logical dots per inch.
struct TextScale {
    double devicePixelRatio = 1.0;
    double logicalDpi = 96.0;
};

TextScale ScaleOf(const QScreen& screen);

// Adds the classic face the designs name as an application font where the system keeps it
// outside the font path (Debian's fonts-wine does), once however often it is called. Without it
// the designs fall back.
void AddClassicFonts();

// The font of a design at a scale: its face where that draws well there, else a close
// sans-serif face with Cyrillic at the same point size.
QFont MakeFont(const FontDesign& design, const TextScale& scale);

}  // namespace vornikat
