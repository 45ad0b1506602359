// SPDX-License-Identifier: MIT
// The stored score's text both ways, written and read without the standard library's
// floating-point conversions, so every build gives the same texts and the same greetings.
#include "stored_score.hpp"

#include <gtest/gtest.h>

namespace vornikat {
namespace {

TEST(StoredScoreText, WholeScoresCarryTheirSignPosition) {
    EXPECT_EQ(ScoreToText(0.0F), u" 0");
    EXPECT_EQ(ScoreToText(-0.0F), u" 0");
    EXPECT_EQ(ScoreToText(33.0F), u" 33");
    EXPECT_EQ(ScoreToText(100.0F), u" 100");
    EXPECT_EQ(ScoreToText(-1.0F), u"-1");
    EXPECT_EQ(ScoreToText(0.5F), u" 0.5");
    EXPECT_EQ(ScoreToText(65536.0F), u" 65536");
}

TEST(StoredScoreText, LeadingNumbersRoundHalfToEven) {
    EXPECT_EQ(ReadLeadingNumber(u" 33"), 33);
    EXPECT_EQ(ReadLeadingNumber(u"30.5"), 30);
    EXPECT_EQ(ReadLeadingNumber(u"49.5"), 50);
    EXPECT_EQ(ReadLeadingNumber(u"100.5"), 100);
    EXPECT_EQ(ReadLeadingNumber(u"-0.5"), 0);
    EXPECT_EQ(ReadLeadingNumber(u"-2.5"), -2);
    EXPECT_EQ(ReadLeadingNumber(u"2.50001"), 3);
    EXPECT_EQ(ReadLeadingNumber(u"007.49"), 7);
    // Exact on the digits: a double would have made this 3.5 and rounded it up.
    EXPECT_EQ(ReadLeadingNumber(u"3.49999999999999999999"), 3);
    EXPECT_EQ(ReadLeadingNumber(u"abc"), 0);
    EXPECT_EQ(ReadLeadingNumber(u""), 0);
    EXPECT_EQ(ReadLeadingNumber(u"12\u0000 5"), 12);
}

TEST(StoredScoreText, NumbersPastSixteenBitsAreOutOfRange) {
    EXPECT_EQ(ReadLeadingNumber(u"32767.4"), 32767);
    EXPECT_EQ(ReadLeadingNumber(u"-32768"), -32768);
    EXPECT_EQ(ReadLeadingNumber(u"32767.5"), std::nullopt);
    EXPECT_EQ(ReadLeadingNumber(u"40000"), std::nullopt);
    EXPECT_EQ(ReadLeadingNumber(u"123456"), std::nullopt);
}

}  // namespace
}  // namespace vornikat
