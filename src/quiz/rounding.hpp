// Rounding to the nearest whole number, ties going to the even neighbour.
#pragma once

#include <cstdint>

namespace vornikat {

double RoundHalfEven(double value);

// The same for an integer quotient, exactly: value / divisor rounded half to even.
// divisor must be positive.
std::int32_t DivideRoundHalfEven(std::int32_t value, std::int32_t divisor);

}  // namespace vornikat
