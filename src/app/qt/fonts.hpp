// The fonts of the window designs, on systems that may not carry the classic face they name.
#pragma once

#include <QFont>

#include "layout.hpp"

namespace vornikat {

// Adds the classic face the designs name as an application font where the system keeps it
// outside the font path (Debian's fonts-wine does). Without it the designs fall back.
void AddClassicFonts();

// The font of a design: its face where there is one, else a close sans-serif face with Cyrillic.
QFont MakeFont(const FontDesign& design);

}  // namespace vornikat
