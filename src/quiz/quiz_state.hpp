// SPDX-License-Identifier: MIT
// The shared variables of the quiz.
#pragma once

#include <cstdint>

namespace vornikat {

struct QuizState {
    std::int16_t CurrentQuestion = 0;
    std::int16_t CorrectCount = 0;
    std::int16_t TimerMinutes = 0;
    std::int16_t TimerSeconds = 0;
    std::int16_t TimedOut = 0;
    std::int16_t ChosenAnswer = 0;
    float ScorePercent = 0.0F;
};

}  // namespace vornikat
