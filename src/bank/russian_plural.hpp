// SPDX-License-Identifier: MIT
// The form a Russian noun takes after a number: 1 вопрос, 2 вопроса, 5 вопросов, 11 вопросов,
// 21 вопрос, 22 вопроса.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornikat::bank {

// The form of the three that agrees with the count: after 1 (one), after 2–4 (few), or
// after any other (many); 11–14 take the last.
std::string_view RussianPlural(std::int64_t count, std::string_view one, std::string_view few,
                               std::string_view many);

}  // namespace vornikat::bank
