// SPDX-License-Identifier: MIT
// Whether a question may not fit the quiz window, estimated without one: its text within the
// question label, each option on one line of its option button. The widths are estimates from
// a wider face than the window's, not measurements; the editor measures the window itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "draft_bank.hpp"
#include "question_bank.hpp"
#include "text_measure.hpp"

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
// Lines the text takes when wrapped at blanks within widthPx, as a label wraps it: a word wider
// than a line is not broken.
int CountWrappedLines(std::u16string_view text, int widthPx, FontWeight weight);

// The window as these estimates see it, for a checker that has no window of its own.
class EstimatedTextMeasure final : public TextMeasure {
  public:
    TextRoom MeasureQuestion(std::u16string_view text) const override;
    TextRoom MeasureOption(std::u16string_view text) const override;
};

struct FitProblem {
    int text = 0;  // 0 is the question, 1 to 5 its options
    std::string message;
};

std::vector<FitProblem> FindFitProblems(const QuestionRecord& question,
                                        Language language = Language::English);

}  // namespace vornikat::bank
