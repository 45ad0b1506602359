// SPDX-License-Identifier: MIT
// The bank being edited, with no toolkit: its questions in order as drafts, each with its
// checks, the counts of errors and warnings, and the bank-wide check a slice at a time, so that
// 32767 questions open at once and the editor keeps answering meanwhile. The desktop editor
// wraps it in signals; the editor page calls it through its module.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draft_bank.hpp"
#include "issue_words.hpp"
#include "question_bank.hpp"
#include "question_check.hpp"

namespace vornikat::bank {

class DraftDocument {
  public:
    // The fit of its texts is judged by the measure, which outlives the document.
    explicit DraftDocument(const TextMeasure& measure) : measure_(&measure) {}

    int Count() const { return static_cast<int>(questions_.size()); }
    // The questions as a draft's text stores them, without a copy (a bank may hold 32767).
    std::span<const DraftQuestion> Questions() const { return questions_; }
    const DraftQuestion& DraftAt(int row) const;
    // The text of a field, the first option past the fifth too (empty when there is none).
    std::u16string TextAt(int row, int field) const;
    // The questions as a draft's text stores them.
    std::vector<DraftQuestion> Drafts() const;
    // The checks of a question, made now if the bank-wide pass has not come to it yet.
    const std::vector<FieldIssue>& IssuesOf(int row) const;
    bool IsChecked(int row) const { return checks_.at(static_cast<std::size_t>(row)).checked; }
    int UncheckedCount() const { return uncheckedCount_; }
    // Checks up to this many unchecked questions; what is left unchecked.
    int CheckSlice(int questions);
    // Checks what is left at once: before a save, which must know every error.
    void FinishChecks();
    // The bank's own issue, its size, when it has one.
    std::optional<FieldIssue> BankIssue() const { return CheckQuestionCount(questions_.size()); }
    // Errors and warnings of the questions checked so far; errors count the bank's size too.
    int ErrorCount() const { return errorCount_ + (BankIssue() ? 1 : 0); }
    int WarningCount() const { return warningCount_; }
    // Every issue checked so far, the bank's own first, as a list of them shows them.
    std::vector<PlacedIssue> CheckedIssues() const;

    bool RequireFit() const { return requireFit_; }
    // Every question is checked again, a slice at a time.
    void SetRequireFit(bool required);
    // Every question is checked again, a slice at a time: the measure has changed.
    void UncheckAll();

    // The questions are left unchecked: the bank-wide pass checks them.
    void Reset(std::vector<DraftQuestion> questions);
    // An option past the fifth set empty is gone, and the next one, if any, takes its field.
    void SetText(int row, int field, std::u16string text);
    void SetRightOption(int row, std::int16_t option);
    void Insert(int row, DraftQuestion question);
    DraftQuestion Remove(int row);
    // The question at from ends up at index to.
    void Move(int from, int to);

    // The first question from start on (wrapping round) with the text in any of its texts,
    // letter case aside; -1 when none has it.
    int FindText(std::u16string_view text, int start) const;

  private:
    struct Checks {
        std::vector<FieldIssue> issues;
        bool checked = false;
    };

    void Recheck(std::size_t row) const;
    void Forget(const Checks& checks) const;

    // The questions apart from their checks, so that they are handed out whole.
    std::vector<DraftQuestion> questions_;
    mutable std::vector<Checks> checks_;
    mutable int uncheckedCount_ = 0;
    mutable int errorCount_ = 0;
    mutable int warningCount_ = 0;
    std::size_t checkCursor_ = 0;
    const TextMeasure* measure_;
    bool requireFit_ = false;
};

}  // namespace vornikat::bank
