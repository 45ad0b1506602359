// SPDX-License-Identifier: MIT
// Every check of the whole bank as one list, errors and warnings, each naming its question and
// field; the editor goes to the field when an entry is chosen.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "question_check.hpp"

namespace vornikat::editor {

class QuestionListModel;

class IssueListModel final : public QAbstractListModel {
  public:
    explicit IssueListModel(const QuestionListModel& questions, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The question and field an entry concerns; question -1 for the bank as a whole.
    struct Place {
        int question = -1;
        int field = bank::kQuestionField;
    };
    Place PlaceOf(int row) const;
    // The bank's size counts as one when it cannot be stored.
    int ErrorCount() const { return errors_ + (countProblem_.isEmpty() ? 0 : 1); }
    // The first error entries as lines of text, for a box that says why saving is refused.
    QStringList DescribeErrors(int limit) const;

  private:
    void Rebuild();
    QString Describe(int row) const;
    bool IsError(int row) const;

    struct Entry {
        int question;
        bank::FieldIssue issue;
    };
    const QuestionListModel& questions_;
    QString countProblem_;
    std::vector<Entry> entries_;
    int errors_ = 0;
};

}  // namespace vornikat::editor
