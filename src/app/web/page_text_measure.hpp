// SPDX-License-Identifier: MIT
// The fit check's measure on the editor page: the page's own preview, the quiz's Main window
// drawn in the browser with its fonts, asked at once for each text.
#pragma once

#include "text_measure.hpp"

namespace vornikat {

class PageTextMeasure final : public bank::TextMeasure {
  public:
    bank::TextRoom MeasureQuestion(std::u16string_view text) const override;
    bank::TextRoom MeasureOption(std::u16string_view text) const override;
};

}  // namespace vornikat
