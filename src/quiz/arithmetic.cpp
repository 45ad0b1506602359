// SPDX-License-Identifier: MIT
#include "arithmetic.hpp"

#include <cmath>

namespace vornikat {

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int32_t DivideRoundHalfEven(std::int32_t value, std::int32_t divisor) {
    std::int32_t quotient = value / divisor;
    const std::int32_t remainder = value % divisor;
    const std::int32_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const std::int32_t away = value < 0 ? -1 : 1;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) {
        quotient += away;
    }
    return quotient;
}

}  // namespace vornikat
