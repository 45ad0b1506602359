// SPDX-License-Identifier: MIT
// The countdown of a question and the judging of its answer.
#include "arithmetic.hpp"
#include "body.hpp"
#include "runtime_error.hpp"
#include "text.hpp"

namespace vornikat {

void Body::RefreshCountdown() {
    if (state_.TimerMinutes == 0 && state_.TimerSeconds == -1) {
        state_.TimedOut = kTrue;
        AcceptAnswer();
    }
    if (state_.TimerSeconds == -1) {
        state_.TimerSeconds = 59;
        state_.TimerMinutes = SubInt16(state_.TimerMinutes, 1);
    }
    std::u16string shown = IntToText(state_.TimerMinutes) + u":";
    if (state_.TimerSeconds < 10) {
        shown += u"0";
    }
    shown += IntToText(state_.TimerSeconds);
    ports_.window.SetCaption(ControlId::LblT, shown);
}

void Body::TickTimer() {
    RefreshCountdown();
    state_.TimerSeconds = SubInt16(state_.TimerSeconds, 1);
}

void Body::AcceptAnswer() {
    if (state_.TimedOut == kTrue) {
        state_.TimedOut = kFalse;
        state_.ChosenAnswer = 0;
        PlayResourceSound(102);
    } else {
        constexpr ControlId kOptions[] = {ControlId::Ans1, ControlId::Ans2, ControlId::Ans3,
                                          ControlId::Ans4, ControlId::Ans5};
        for (std::int16_t n = 1; n <= 5; ++n) {
            if (ports_.window.GetValue(kOptions[n - 1]) == kTrue) {
                state_.ChosenAnswer = n;
            }
        }
        if (state_.ChosenAnswer == bank_.RightAnswer.At(state_.CurrentQuestion)) {
            state_.CorrectCount = AddInt16(state_.CorrectCount, 1);
            PlayResourceSound(101);
        } else {
            PlayResourceSound(102);
        }
    }
    state_.CurrentQuestion = AddInt16(state_.CurrentQuestion, 1);
    ShowQuestion();
    ports_.window.SetFocus(ControlId::Ans1);
}

void Body::PlayResourceSound(std::int16_t id) {
    const auto image = ports_.resources.LoadResource("SOUNDS", id);
    if (!image) {
        throw RuntimeError(err::kResourceNotFound, std::to_string(id));
    }
    // The resource's own bytes live as long as the program, so they are handed over as
    // they are; the player keeps no copy of its own.
    ports_.sound.PlayWave(*image);
}

}  // namespace vornikat
