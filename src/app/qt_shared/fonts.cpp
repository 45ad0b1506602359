// SPDX-License-Identifier: MIT
#include "fonts.hpp"

#include <QFile>
#include <QFontDatabase>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <cmath>

#include "qt_text.hpp"

namespace vornikat {
namespace {

// Debian's fonts-wine: the classic face as bitmaps in its 8, 10 and 12 point sizes (regular
// only), and a scalable face of a similar look.
constexpr const char* kClassicFontFiles[] = {
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

// Faces close to the classic one in shape and width, all with Cyrillic letters, the closest
// first. Wine's scalable face draws its bold hardly heavier than its regular, so a face with a
// true bold comes before it.
const QStringList& FallbackFamilies() {
    static const QStringList families = {"Liberation Sans", "Arimo", "Tahoma", "DejaVu Sans"};
    return families;
}

// A bitmap face serves only a display that draws it 1:1: scaled, its glyphs keep their pixel
// size while the advances grow, and the text falls apart. Then it serves only the sizes it
// was drawn in, give or take two points (the point size of a bitmap depends on the display),
// and bold only when it has a bold face.
bool BitmapFaceServes(const QString& family, const FontDesign& design, const TextScale& scale) {
    if (scale.devicePixelRatio != 1.0 || scale.logicalDpi != 96.0) {
        return false;
    }
    bool weightFound = false;
    for (const QString& style : QFontDatabase::styles(family)) {
        weightFound = weightFound || QFontDatabase::weight(family, style) >= design.weight - 100;
    }
    if (!weightFound) {
        return false;
    }
    for (const int points : QFontDatabase::pointSizes(family)) {
        if (std::abs(points - design.points) <= 2.0) {
            return true;
        }
    }
    return false;
}

bool FaceServes(const QString& family, const FontDesign& design, const TextScale& scale) {
    if (!QFontDatabase::hasFamily(family)) {
        return false;
    }
    return QFontDatabase::isSmoothlyScalable(family) || BitmapFaceServes(family, design, scale);
}

}  // namespace

TextScale ScaleOf(const QScreen& screen) {
    return TextScale{screen.devicePixelRatio(), screen.logicalDotsPerInch()};
}

void AddClassicFonts() {
    static bool added = false;
    if (added) {
        return;
    }
    added = true;
    for (const char* file : kClassicFontFiles) {
        if (QFile::exists(file)) {
            QFontDatabase::addApplicationFont(file);
        }
    }
}

QFont MakeFont(const FontDesign& design, const TextScale& scale) {
    const QString face = ToQString(design.face);
    QStringList families;
    if (FaceServes(face, design, scale)) {
        families += face;
    }
    families += FallbackFamilies();
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(design.points);
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    return font;
}

}  // namespace vornikat
