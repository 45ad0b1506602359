// SPDX-License-Identifier: MIT
// The contrast of colours against values worked out by hand from the relative luminance of
// sRGB, and the colours chosen for text against the least contrast at which body text reads
// (4.5:1), written here rather than read from the code under test.
#include <gtest/gtest.h>

#include "readable_colors.hpp"

namespace vornikat {
namespace {

constexpr double kBodyText = 4.5;

TEST(ReadableColors, ContrastRatioMatchesHandWorkedValues) {
    const struct {
        QColor first;
        QColor second;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(0x77, 0x77, 0x77), Qt::white, 4.48},  // the grey just short of 4.5
        {QColor(0x76, 0x76, 0x76), Qt::white, 4.54},  // the lightest grey that reads on white
        {QColor(0x00, 0x00, 0xFF), Qt::white, 8.59},
        {QColor(0xFF, 0x00, 0x00), Qt::white, 4.00},
        {QColor(0x2B, 0x2B, 0x2B), QColor(0xEE, 0xEE, 0xEE), 12.20},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.ratio, 0.01)
            << c.first.name().toStdString();
        EXPECT_NEAR(ContrastRatio(c.second, c.first), c.ratio, 0.01) << "either order";
    }
}

TEST(ReadableColors, TextIsKeptWhereItReadsAndMovedOnlyAsFarAsNeeded) {
    const QColor darkGrey(0x2B, 0x2B, 0x2B);
    // Black reads on white and stays; black on a dark theme and the light grey on white do not.
    EXPECT_EQ(ReadableOn(Qt::black, Qt::white), QColor(Qt::black));
    EXPECT_EQ(ReadableOn(QColor(0x76, 0x76, 0x76), Qt::white), QColor(0x76, 0x76, 0x76));
    const struct {
        QColor wanted;
        QColor background;
    } moved[] = {
        {Qt::black, darkGrey},
        {QColor(0x77, 0x77, 0x77), Qt::white},
        {QColor(0xC0, 0x00, 0x00), darkGrey},  // the editor's red for an error
        {QColor(0xFF, 0xFF, 0x80), Qt::white},
    };
    for (const auto& c : moved) {
        const QColor shown = ReadableOn(c.wanted, c.background);
        EXPECT_GE(ContrastRatio(shown, c.background), kBodyText) << shown.name().toStdString();
        EXPECT_LT(ContrastRatio(shown, c.background), 7.0) << "not pushed to the extreme";
    }
    EXPECT_TRUE(IsDark(darkGrey));
    EXPECT_FALSE(IsDark(QColor(0xEE, 0xEE, 0xEE)));
}

}  // namespace
}  // namespace vornikat
