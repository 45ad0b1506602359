// SPDX-License-Identifier: MIT
// Whether a question fits the quiz window: its text within the question label, each option
// on one line of its option button. The widths are estimates, not measurements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "draft_bank.hpp"
#include "question_bank.hpp"

namespace vornikat::bank {

enum class FontWeight { Normal, Bold };

// The question label: 4345 twips wide, which is 289 px at 96 dpi; of the five 13 px lines
// its 1035 twips hold in the designed font, four are kept so a taller substitute font still
// shows the whole question.
inline constexpr int kQuestionWidthPx = 285;
inline constexpr int kQuestionLines = 4;
// An option button: 4335 twips (289 px), less the round button and its gap (about 18 px).
inline constexpr int kOptionWidthPx = 265;

// Pixels a text takes on one line in the window's font.
int EstimateWidthPx(std::u16string_view text, FontWeight weight);
// Lines the text takes when wrapped at blanks within widthPx, as a label wraps it.
int CountWrappedLines(std::u16string_view text, int widthPx, FontWeight weight);

struct FitProblem {
    int text = 0;  // 0 is the question, 1 to 5 its options
    std::string message;
};

std::vector<FitProblem> FindFitProblems(const QuestionRecord& question,
                                        Language language = Language::English);

}  // namespace vornikat::bank
