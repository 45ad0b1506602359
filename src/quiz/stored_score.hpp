// SPDX-License-Identifier: MIT
// The last score as the registry holds it: a number turned into text and read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornikat {

// The number with its sign position: a space before a non-negative number, as in " 33". The
// scores stored are whole; a fraction is written to six places at most, without trailing zeros.
std::u16string ScoreToText(float percent);

// The text the read left in the space-filled buffer, without the trailing spaces and the one
// character (the terminating NUL) before them. A buffer of spaces alone gives an empty text.
std::u16string CleanStoredText(std::u16string_view buffer);

// The leading decimal number of a text (spaces before it skipped, an optional sign, "." as the
// decimal point; no number reads as 0), rounded to the nearest whole number with ties to the
// even one. nullopt when that number does not fit in 16 bits.
std::optional<std::int16_t> ReadLeadingNumber(std::u16string_view text);

}  // namespace vornikat
