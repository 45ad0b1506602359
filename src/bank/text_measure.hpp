// SPDX-License-Identifier: MIT
// How the quiz window lays out a question's texts, told to the checks by whoever knows its fonts
// and controls: the editor measures its preview, which is the quiz's own window; the bank tool,
// which has no window, estimates (EstimatedTextMeasure).
#pragma once

#include <string_view>

namespace vornikat::bank {

// A text in its control: what it takes and what the control shows, in one unit.
struct TextRoom {
    int taken = 0;
    int shown = 0;
    // A word wider than the control: a label does not break it, and cuts it on both sides.
    bool wordTooWide = false;
};

inline bool IsCut(const TextRoom& room) {
    return room.wordTooWide || room.taken > room.shown;
}

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    // The question in its label, wrapped at blanks: in lines.
    virtual TextRoom MeasureQuestion(std::u16string_view text) const = 0;
    // An option on the one line of its button: in pixels, from where the text starts.
    virtual TextRoom MeasureOption(std::u16string_view text) const = 0;

  protected:
    TextMeasure() = default;
    TextMeasure(const TextMeasure&) = default;
    TextMeasure& operator=(const TextMeasure&) = default;
};

}  // namespace vornikat::bank
