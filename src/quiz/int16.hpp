// 16-bit integer arithmetic that raises the overflow error instead of wrapping.
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

}  // namespace vornikat
