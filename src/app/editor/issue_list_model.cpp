// SPDX-License-Identifier: MIT
#include "issue_list_model.hpp"

#include <QApplication>
#include <QBrush>
#include <QPalette>
#include <algorithm>

#include "bank_document.hpp"
#include "issue_text.hpp"
#include "issue_words.hpp"

namespace vornikat::editor {

IssueListModel::IssueListModel(const BankDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {
    connect(&document, &BankDocument::questionChanged, this,
            [this](int question) { ReplaceQuestion(question); });
    for (auto signal : {&BankDocument::wasReset, &BankDocument::checksChanged}) {
        connect(&document, signal, this, [this] { Rebuild(); });
    }
    for (auto signal : {&BankDocument::inserted, &BankDocument::removed}) {
        connect(&document, signal, this, [this] { Rebuild(); });
    }
    connect(&document, &BankDocument::moved, this, [this] { Rebuild(); });
    Rebuild();
}

int IssueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant IssueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Entry& entry = entries_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Describe(entry);
        case Qt::ForegroundRole:
            return QBrush(
                IssueColour(entry.issue.severity, QApplication::palette().color(QPalette::Base)));
        default:
            return {};
    }
}

IssueListModel::Place IssueListModel::PlaceOf(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    const Entry& entry = entries_[static_cast<std::size_t>(row)];
    return {entry.question, entry.issue.field};
}

int IssueListModel::RowOf(Place place) const {
    const auto at = std::lower_bound(
        entries_.begin(), entries_.end(), place, [](const Entry& entry, const Place& wanted) {
            return entry.question < wanted.question ||
                   (entry.question == wanted.question && entry.issue.field < wanted.field);
        });
    if (at != entries_.end() && at->question == place.question) {
        return static_cast<int>(at - entries_.begin());
    }
    return static_cast<int>(at - entries_.begin()) - (at == entries_.end() ? 1 : 0);
}

QStringList IssueListModel::DescribeErrors(int limit) const {
    return DescribeWhere(bank::IsError, limit);
}

QStringList IssueListModel::DescribeWhere(const std::function<bool(const bank::FieldIssue&)>& which,
                                          int limit) const {
    QStringList lines;
    for (const auto& line : bank::DescribeIssues(entries_, which, limit)) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

std::vector<IssueListModel::Entry> IssueListModel::EntriesOf(int question) const {
    std::vector<Entry> entries;
    for (const auto& issue : document_.IssuesOf(question)) {
        entries.push_back({question, issue});
    }
    return entries;
}

void IssueListModel::Rebuild() {
    beginResetModel();
    entries_.clear();
    if (const auto issue = document_.BankIssue()) {
        entries_.push_back({-1, *issue});
    }
    // Until the bank-wide pass is done, the questions it has not come to are left out.
    for (int question = 0; question < document_.Count(); ++question) {
        if (document_.IsChecked(question)) {
            const auto entries = EntriesOf(question);
            entries_.insert(entries_.end(), entries.begin(), entries.end());
        }
    }
    endResetModel();
}

void IssueListModel::ReplaceQuestion(int question) {
    const auto byQuestion = [](const Entry& entry, int wanted) { return entry.question < wanted; };
    const int begin =
        static_cast<int>(std::lower_bound(entries_.begin(), entries_.end(), question, byQuestion) -
                         entries_.begin());
    int old = 0;
    while (begin + old < rowCount() &&
           entries_[static_cast<std::size_t>(begin + old)].question == question) {
        ++old;
    }
    const std::vector<Entry> fresh = EntriesOf(question);
    // Entries kept in place, then the rest removed or added: the chosen entry stays chosen.
    const int kept = std::min(old, static_cast<int>(fresh.size()));
    std::copy(fresh.begin(), fresh.begin() + kept, entries_.begin() + begin);
    if (kept > 0) {
        emit dataChanged(index(begin), index(begin + kept - 1));
    }
    if (old > kept) {
        beginRemoveRows({}, begin + kept, begin + old - 1);
        entries_.erase(entries_.begin() + begin + kept, entries_.begin() + begin + old);
        endRemoveRows();
    } else if (static_cast<int>(fresh.size()) > kept) {
        beginInsertRows({}, begin + kept, begin + static_cast<int>(fresh.size()) - 1);
        entries_.insert(entries_.begin() + begin + kept, fresh.begin() + kept, fresh.end());
        endInsertRows();
    }
}

QString IssueListModel::Describe(const Entry& entry) const {
    return QString::fromStdString(bank::DescribeInList(entry.question, entry.issue));
}

}  // namespace vornikat::editor
