// SPDX-License-Identifier: MIT
#include "page_text_measure.hpp"

#include <array>

#include "editor_boundary.hpp"

namespace vornikat {
namespace {

template <typename Measure>
bank::TextRoom AskPage(Measure measure, std::u16string_view text) {
    std::array<int, 3> room{};
    measure(text.data(), static_cast<int>(text.size()), room.data());
    return {room[0], room[1], room[2] != 0};
}

}  // namespace

bank::TextRoom PageTextMeasure::MeasureQuestion(std::u16string_view text) const {
    return AskPage(MeasurePageQuestion, text);
}

bank::TextRoom PageTextMeasure::MeasureOption(std::u16string_view text) const {
    return AskPage(MeasurePageOption, text);
}

}  // namespace vornikat
