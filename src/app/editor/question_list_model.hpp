// The bank being edited: its questions in order, the checks of each, and the list view's model
// of them. Every change goes through here, so the list, the form, the preview and the checks
// follow it; the undo commands are its only callers that change it.
#pragma once

#include <QAbstractListModel>
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
    const std::vector<bank::FieldIssue>& IssuesOf(int row) const;
    bool HasErrors() const {
        return errorCount_ > 0 || !bank::IsStorableQuestionCount(questions_.size());
    }

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
    void Recheck(int row);
    void RecheckAll();

    std::vector<QuestionRecord> questions_;
    std::vector<std::vector<bank::FieldIssue>> issues_;
    int errorCount_ = 0;
    bool requireFit_ = false;
};

}  // namespace vornikat::editor
