// SPDX-License-Identifier: MIT
// What the readers of other tools' formats share: a question's texts made the quiz's one-line
// texts, the draft built from them, and where a byte of the source stands as line and column.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "draft_bank.hpp"

namespace vornikat::bank {

// The quiz shows each text on its own label: line ends and runs of blanks become one space, and
// the ends are trimmed.
std::u16string OneLineText(std::string_view utf8);

// A question as its source gave it; right is 1-based, 0 when the source named none.
DraftQuestion MakeDraftQuestion(std::string_view question, const std::vector<std::string>& options,
                                int right, SourcePosition at);

// Line and column of byte offsets in UTF-8 text with "\n" line ends; cheapest when asked in
// order, as a reader goes.
class PositionFinder {
  public:
    explicit PositionFinder(std::string_view text) : text_(text) {}
    SourcePosition At(std::size_t offset);

  private:
    std::string_view text_;
    std::size_t offset_ = 0;
    int line_ = 1;
    int column_ = 0;
};

// Counts a diagnostic against the reader's limit: false once the limit is reached.
bool AddError(DraftBank& bank, SourcePosition at, std::string message);

}  // namespace vornikat::bank
