// SPDX-License-Identifier: MIT
#include "readable_colors.hpp"

#include <algorithm>
#include <cmath>

namespace vornikat {
namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& color) {
    return 0.2126 * Linear(color.redF()) + 0.7152 * Linear(color.greenF()) +
           0.0722 * Linear(color.blueF());
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDark(const QColor& background) {
    // Where white text reads better than black.
    return ContrastRatio(background, Qt::white) > ContrastRatio(background, Qt::black);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= kReadableContrast) {
        return wanted;
    }
    const bool lighten = IsDark(background);
    const QColor hsl = wanted.toHsl();
    // Lightness moves in small steps towards white or black, both of which always read.
    for (int lightness = hsl.lightness(); lightness >= 0 && lightness <= 255;
         lightness += lighten ? 5 : -5) {
        const QColor candidate =
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (ContrastRatio(candidate, background) >= kReadableContrast) {
            return candidate;
        }
    }
    return lighten ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace vornikat
