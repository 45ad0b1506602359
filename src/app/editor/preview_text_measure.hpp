// SPDX-License-Identifier: MIT
// The checks' measure of the quiz window, taken from the editor's preview, which is that window
// built by the quiz's own builder: its question label and option button, their fonts, the
// style's rectangles and the label's wrap. A text is cut here exactly when the preview cuts it.
#pragma once

#include <QFont>

#include "quiz_preview.hpp"
#include "text_measure.hpp"

namespace vornikat::editor {

class PreviewTextMeasure final : public bank::TextMeasure {
  public:
    explicit PreviewTextMeasure(const QuizPreview& preview) : preview_(preview) {}

    bank::TextRoom MeasureQuestion(std::u16string_view text) const override;
    bank::TextRoom MeasureOption(std::u16string_view text) const override;

  private:
    const QuizPreview& preview_;
    mutable QFont lineFont_;
    mutable double firstLine_ = 0;
    mutable double linePitch_ = 0;
};

}  // namespace vornikat::editor
