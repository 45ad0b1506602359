// SPDX-License-Identifier: MIT
// The bank being edited: its questions in order, the checks of each, and the list view's model
// of them. Every change goes through here, so the list, the form, the preview and the checks
// follow it; the undo commands are its only callers that change it.
#pragma once

#include <QAbstractListModel>
#include <QTimer>
#include <cstdint>
#include <string>
#include <vector>

#include "question_bank.hpp"
#include "question_check.hpp"

namespace vornikat::editor {

class QuestionListModel final : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit QuestionListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // A drop moves nothing itself: it asks for the move, which the undo stack then makes.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    int Count() const { return static_cast<int>(questions_.size()); }
    const std::vector<QuestionRecord>& Questions() const { return questions_; }
    const QuestionRecord& At(int row) const;
    // The checks of a question, made now if the bank-wide pass has not come to it yet.
    const std::vector<bank::FieldIssue>& IssuesOf(int row) const;
    bool IsChecked(int row) const { return !unchecked_.at(static_cast<std::size_t>(row)); }
    // The bank-wide pass is over and has told the issue list.
    bool ChecksDone() const { return !checker_.isActive(); }
    // Checks what is left at once: before a save, which must know every error.
    void FinishChecks();
    bool HasErrors();

    bool RequireFit() const { return requireFit_; }
    void SetRequireFit(bool required);

    void ResetQuestions(std::vector<QuestionRecord> questions);
    void SetText(int row, int field, std::u16string text);
    void SetRightOption(int row, std::int16_t option);
    void InsertQuestion(int row, QuestionRecord question);
    QuestionRecord RemoveQuestion(int row);
    // The question at from ends up at index to.
    void MoveQuestion(int from, int to);

    // The first question from start on (wrapping round) with the text in any of its texts,
    // letter case aside; -1 when none has it.
    int FindText(const QString& text, int start) const;

  signals:
    void questionChanged(int row);
    void issuesChanged();
    void moveRequested(int from, int to);
    // A change was made to this question: the editor shows it.
    void questionTouched(int row);

  private:
    void Recheck(int row) const;
    // A whole bank is checked a slice at a time between events, so that 32767 questions
    // open at once and the window keeps answering meanwhile.
    void RecheckAll();
    void CheckSlice();

    std::vector<QuestionRecord> questions_;
    mutable std::vector<std::vector<bank::FieldIssue>> issues_;
    mutable std::vector<std::uint8_t> unchecked_;
    mutable int uncheckedCount_ = 0;
    mutable int errorCount_ = 0;
    std::size_t checkCursor_ = 0;
    QTimer checker_;
    bool requireFit_ = false;
};

}  // namespace vornikat::editor
