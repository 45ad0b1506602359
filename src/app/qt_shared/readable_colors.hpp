// SPDX-License-Identifier: MIT
// Text colours that stay readable whatever the palette: a light theme and a dark one alike.
#pragma once

#include <QColor>

namespace vornikat {

// The least contrast at which body text reads well, as a ratio of luminances.
inline constexpr double kReadableContrast = 4.5;

// The contrast of two colours, from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);

// The wanted colour where it reads on the background; otherwise the same hue made lighter on a
// dark background or darker on a light one, just until it reads.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// Whether a background is dark enough that text on it should be light.
bool IsDark(const QColor& background);

}  // namespace vornikat
