// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "arithmetic.hpp"
#include "checked_array.hpp"

namespace vornikat {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(30.5), 30.0);
    EXPECT_EQ(RoundHalfEven(49.5), 50.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5001), -3.0);
}

// The integer division must give exactly what dividing in double precision and rounding
// half to even gives, for every 16-bit unit and each factor of the bank.
TEST(DivideRoundHalfEven, AgreesWithDoublePrecisionForEveryUnit) {
    for (const int factor : {106, 4, 78}) {
        for (int unit = INT16_MIN; unit <= INT16_MAX; ++unit) {
            const double expected = RoundHalfEven(static_cast<double>(unit) / factor);
            ASSERT_EQ(DivideRoundHalfEven(unit, factor), static_cast<int>(expected))
                << unit << " / " << factor;
        }
    }
}

TEST(Int16, OverflowRaisesInsteadOfWrapping) {
    EXPECT_EQ(AddInt16(32766, 1), 32767);
    EXPECT_EQ(SubInt16(-32767, 1), -32768);
    try {
        AddInt16(32767, 1);
        FAIL() << "no overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), err::kOverflow);
        EXPECT_EQ(error.Description(), u"Переполнение");
        EXPECT_EQ(error.BoxText(), u"Ошибка выполнения '6':\r\rПереполнение");
    }
    EXPECT_THROW(SubInt16(-32768, 1), RuntimeError);
}

TEST(CheckedArray, EveryAccessOutsideItsBoundsRaisesTheSubscriptError) {
    CheckedArray<int> array;
    EXPECT_THROW(array.At(0), RuntimeError);
    array.Redim(2);
    array.At(2) = 7;
    EXPECT_EQ(array.At(2), 7);
    EXPECT_EQ(array.Size(), 3U);
    for (const long bad : {-1L, 3L}) {
        try {
            array.At(bad);
            FAIL() << bad;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), err::kSubscriptOutOfRange);
        }
    }
    EXPECT_THROW(array.Redim(-1), RuntimeError);
}

}  // namespace
}  // namespace vornikat
