// SPDX-License-Identifier: MIT
// The author's changes to a draft document as steps that undo and redo. Typing in one field of
// one question merges into one step until another change comes, so that undo takes back what
// was typed there rather than a letter at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "draft_document.hpp"

namespace vornikat::bank {

// The question and field a step touched, to bring them into sight; row -1 when the bank is left
// with no question.
struct EditPlace {
    int row = -1;
    int field = kQuestionField;
};

class EditHistory {
  public:
    explicit EditHistory(DraftDocument& document) : document_(document) {}

    // Each makes a step of its own, but typing in the field typed in last.
    void SetText(int row, int field, std::u16string text);
    void SetRightOption(int row, std::int16_t option);
    void Insert(int row, DraftQuestion question);
    void Remove(int row);
    void Move(int from, int to);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    std::optional<EditPlace> Undo();
    std::optional<EditPlace> Redo();
    // A new bank or another file: nothing before it can be undone.
    void Clear();

  private:
    enum class Kind { Text, Right, Insert, Remove, Move };
    struct Step {
        Kind kind = Kind::Text;
        int row = 0;
        int field = kQuestionField;  // a text's field; a move's destination row
        std::u16string before;
        std::u16string after;
        std::int16_t rightBefore = 0;
        std::int16_t rightAfter = 0;
        DraftQuestion question;
    };

    void Push(Step step);
    EditPlace Apply(const Step& step, bool forward);
    EditPlace PlaceNear(int row) const;

    DraftDocument& document_;
    std::vector<Step> steps_;
    std::size_t done_ = 0;
    // Typing may still join the last step: no other change, undo or redo has come since.
    bool typing_ = false;
};

}  // namespace vornikat::bank
