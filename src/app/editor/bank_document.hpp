// SPDX-License-Identifier: MIT
// The bank being edited: its questions in order, each with its checks (the toolkit-free
// DraftDocument, which the editor page shares). Every change goes through here and is announced, so
// the list, the form, the preview and the issue list follow it. The edits of the questions come
// only from the undo commands, so that each can be undone; the window itself only puts a whole bank
// in place (a new or opened file, which clears the undo history) and sets whether a misfit is an
// error.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "draft_bank.hpp"
#include "draft_document.hpp"
#include "question_bank.hpp"
#include "question_check.hpp"

namespace vornikat::editor {

class BankDocument final : public QObject {
    Q_OBJECT

  public:
    // The fit of its texts is judged by the measure, which outlives the document.
    explicit BankDocument(const bank::TextMeasure& measure, QObject* parent = nullptr);

    int Count() const { return model_.Count(); }
    const QuestionRecord& At(int row) const { return model_.DraftAt(row).record; }
    // The question with what its source left wrong: options it lacked or had past the fifth.
    const bank::DraftQuestion& DraftAt(int row) const { return model_.DraftAt(row); }
    // The text of a field, the first option past the fifth too (empty when there is none).
    std::u16string TextAt(int row, int field) const { return model_.TextAt(row, field); }
    // The questions alone, in order, as data.bin stores them.
    std::vector<QuestionRecord> Records() const;
    // The questions as a draft's text stores them.
    std::vector<bank::DraftQuestion> Drafts() const { return model_.Drafts(); }
    // The checks of a question, made now if the bank-wide pass has not come to it yet.
    const std::vector<bank::FieldIssue>& IssuesOf(int row) const { return model_.IssuesOf(row); }
    bool IsChecked(int row) const { return model_.IsChecked(row); }
    // The bank-wide pass is over.
    bool ChecksDone() const { return model_.UncheckedCount() == 0; }
    // Checks what is left at once: before a save, which must know every error.
    void FinishChecks();
    // The bank's own issue, its size, when it has one.
    std::optional<bank::FieldIssue> BankIssue() const { return model_.BankIssue(); }
    // Errors of the questions checked so far and of the bank's size.
    int ErrorCount() const { return model_.ErrorCount(); }

    bool RequireFit() const { return model_.RequireFit(); }
    void SetRequireFit(bool required);

    void Reset(std::vector<bank::DraftQuestion> questions);
    // An option past the fifth set empty is gone, and the next one, if any, takes its field.
    void SetText(int row, int field, std::u16string text);
    void SetRightOption(int row, std::int16_t option);
    void Insert(int row, bank::DraftQuestion question);
    bank::DraftQuestion Remove(int row);
    // The question at from ends up at index to.
    void Move(int from, int to);

    // The first question from start on (wrapping round) with the text in any of its texts,
    // letter case aside; -1 when none has it.
    int FindText(const QString& text, int start) const;

  signals:
    void aboutToReset();
    void wasReset();
    void aboutToInsert(int row);
    void inserted(int row);
    void aboutToRemove(int row);
    void removed(int row);
    void aboutToMove(int from, int to);
    void moved(int from, int to);
    // A text or the right option of one question changed, and its checks with it.
    void questionChanged(int row);
    // The checks changed beyond one question: the bank-wide pass ended, or the rule of fit.
    void checksChanged();

  private:
    // The checks not yet made, from the first, between events.
    void StartChecks();
    void CheckSlice();

    bank::DraftDocument model_;
    QTimer checker_;
};

}  // namespace vornikat::editor
