// SPDX-License-Identifier: MIT
// The arithmetic of the quiz: 16-bit integers that raise the overflow error instead of wrapping,
// and rounding to the nearest whole number with ties going to the even neighbour.
#pragma once

#include <cstdint>

#include "runtime_error.hpp"

namespace vornikat {

inline std::int16_t CheckInt16(long value) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw RuntimeError(err::kOverflow);
    }
    return static_cast<std::int16_t>(value);
}

inline std::int16_t AddInt16(std::int16_t a, std::int16_t b) {
    return CheckInt16(static_cast<long>(a) + b);
}

inline std::int16_t SubInt16(std::int16_t a, std::int16_t b) {
    return CheckInt16(static_cast<long>(a) - b);
}

double RoundHalfEven(double value);

// The same for an integer quotient, exactly: value / divisor rounded half to even.
// divisor must be positive.
std::int32_t DivideRoundHalfEven(std::int32_t value, std::int32_t divisor);

}  // namespace vornikat
