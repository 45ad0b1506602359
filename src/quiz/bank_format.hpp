// SPDX-License-Identifier: MIT
// The layout of data.bin: little-endian 16-bit units, each code stored times its factor.
#pragma once

#include <cstdint>

namespace vornikat::bankformat {

inline constexpr std::int32_t kQuestionFactor = 106;
inline constexpr std::int32_t kOptionFactor = 4;
inline constexpr std::int32_t kRightOptionFactor = 78;
inline constexpr std::int32_t kMaxTextLength = 32766;
inline constexpr std::int32_t kMaxQuestions = 32767;

}  // namespace vornikat::bankformat
