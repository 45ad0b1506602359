// SPDX-License-Identifier: MIT
// Every check of the whole bank as one list, errors and warnings, each naming its question and
// field; the editor goes to the field when an entry is chosen. A change to one question
// replaces only that question's entries, so the author keeps their place in the list.
#pragma once

#include <QAbstractListModel>
#include <functional>
#include <vector>

#include "issue_words.hpp"
#include "question_check.hpp"

namespace vornikat::editor {

class BankDocument;

class IssueListModel final : public QAbstractListModel {
  public:
    explicit IssueListModel(const BankDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The question and field an entry concerns; question -1 for the bank as a whole.
    struct Place {
        int question = -1;
        int field = bank::kQuestionField;
    };
    Place PlaceOf(int row) const;
    // The first entry of that question and field, else the nearest before it; -1 for none.
    int RowOf(Place place) const;
    // The first error entries as lines of text, for a box that says why saving is refused.
    QStringList DescribeErrors(int limit) const;
    // The same for the entries of one kind or another.
    QStringList DescribeWhere(const std::function<bool(const bank::FieldIssue&)>& which,
                              int limit) const;

  private:
    // The question -1 for the bank's own issue.
    using Entry = bank::PlacedIssue;

    void Rebuild();
    void ReplaceQuestion(int question);
    std::vector<Entry> EntriesOf(int question) const;
    QString Describe(const Entry& entry) const;

    const BankDocument& document_;
    std::vector<Entry> entries_;
};

}  // namespace vornikat::editor
