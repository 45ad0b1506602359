// SPDX-License-Identifier: MIT
#include "edit_history.hpp"

#include <algorithm>

namespace vornikat::bank {

void EditHistory::SetText(int row, int field, std::u16string text) {
    std::u16string before = document_.TextAt(row, field);
    if (text == before) {
        return;
    }
    document_.SetText(row, field, text);
    if (typing_ && done_ == steps_.size()) {
        Step& last = steps_.back();
        if (last.kind == Kind::Text && last.row == row && last.field == field) {
            last.after = std::move(text);
            // Typed and typed away again: nothing is left to undo.
            if (last.after == last.before) {
                steps_.pop_back();
                done_ = steps_.size();
                typing_ = false;
            }
            return;
        }
    }
    Step step;
    step.kind = Kind::Text;
    step.row = row;
    step.field = field;
    step.before = std::move(before);
    step.after = std::move(text);
    Push(std::move(step));
    typing_ = true;
}

void EditHistory::SetRightOption(int row, std::int16_t option) {
    const std::int16_t before = document_.DraftAt(row).record.rightOption;
    if (option == before) {
        return;
    }
    document_.SetRightOption(row, option);
    Step step;
    step.kind = Kind::Right;
    step.row = row;
    step.rightBefore = before;
    step.rightAfter = option;
    Push(std::move(step));
}

void EditHistory::Insert(int row, DraftQuestion question) {
    Step step;
    step.kind = Kind::Insert;
    step.row = row;
    step.question = question;
    document_.Insert(row, std::move(question));
    Push(std::move(step));
}

void EditHistory::Remove(int row) {
    Step step;
    step.kind = Kind::Remove;
    step.row = row;
    step.question = document_.Remove(row);
    Push(std::move(step));
}

void EditHistory::Move(int from, int to) {
    if (from == to) {
        return;
    }
    document_.Move(from, to);
    Step step;
    step.kind = Kind::Move;
    step.row = from;
    step.field = to;
    Push(std::move(step));
}

std::optional<EditPlace> EditHistory::Undo() {
    typing_ = false;
    if (!CanUndo()) {
        return std::nullopt;
    }
    --done_;
    return Apply(steps_[done_], false);
}

std::optional<EditPlace> EditHistory::Redo() {
    typing_ = false;
    if (!CanRedo()) {
        return std::nullopt;
    }
    ++done_;
    return Apply(steps_[done_ - 1], true);
}

void EditHistory::Clear() {
    steps_.clear();
    done_ = 0;
    typing_ = false;
}

void EditHistory::Push(Step step) {
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    typing_ = false;
}

EditPlace EditHistory::Apply(const Step& step, bool forward) {
    switch (step.kind) {
        case Kind::Text:
            document_.SetText(step.row, step.field, forward ? step.after : step.before);
            return {step.row, step.field};
        case Kind::Right:
            document_.SetRightOption(step.row, forward ? step.rightAfter : step.rightBefore);
            return {step.row, kRightOptionField};
        case Kind::Insert:
        case Kind::Remove:
            if (forward == (step.kind == Kind::Insert)) {
                document_.Insert(step.row, step.question);
                return {step.row, kQuestionField};
            }
            document_.Remove(step.row);
            return PlaceNear(step.row);
        case Kind::Move:
            if (forward) {
                document_.Move(step.row, step.field);
                return {step.field, kQuestionField};
            }
            document_.Move(step.field, step.row);
            return {step.row, kQuestionField};
    }
    return {};
}

EditPlace EditHistory::PlaceNear(int row) const {
    return {std::min(row, document_.Count() - 1), kQuestionField};
}

}  // namespace vornikat::bank
