// SPDX-License-Identifier: MIT
#include "issue_list_model.hpp"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "issue_text.hpp"
#include "question_list_model.hpp"
#include "readable_colors.hpp"

namespace vornikat::editor {

IssueListModel::IssueListModel(const QuestionListModel& questions, QObject* parent)
    : QAbstractListModel(parent), questions_(questions) {
    connect(&questions, &QuestionListModel::issuesChanged, this, [this] { Rebuild(); });
    Rebuild();
}

int IssueListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return static_cast<int>(entries_.size()) + (countProblem_.isEmpty() ? 0 : 1);
}

QVariant IssueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Describe(index.row());
        case Qt::ForegroundRole:
            // Legible on the list's background, light theme or dark.
            return QBrush(
                ReadableOn(IsError(index.row()) ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00),
                           QApplication::palette().color(QPalette::Base)));
        default:
            return {};
    }
}

IssueListModel::Place IssueListModel::PlaceOf(int row) const {
    const int first = countProblem_.isEmpty() ? 0 : 1;
    if (row < first || row - first >= static_cast<int>(entries_.size())) {
        return {};
    }
    const Entry& entry = entries_[static_cast<std::size_t>(row - first)];
    return {entry.question, entry.issue.field};
}

QStringList IssueListModel::DescribeErrors(int limit) const {
    QStringList lines;
    if (!countProblem_.isEmpty()) {
        lines << countProblem_;
    }
    const int first = countProblem_.isEmpty() ? 0 : 1;
    for (std::size_t k = 0; k < entries_.size() && lines.size() < limit; ++k) {
        if (entries_[k].issue.severity == bank::Severity::Error) {
            lines << Describe(static_cast<int>(k) + first);
        }
    }
    if (ErrorCount() > lines.size()) {
        lines << QStringLiteral("…и ещё %1").arg(ErrorCount() - lines.size());
    }
    return lines;
}

void IssueListModel::Rebuild() {
    beginResetModel();
    entries_.clear();
    errors_ = 0;
    countProblem_ = DescribeQuestionCount(questions_.Count());
    // Until the bank-wide pass is done, the questions it has not come to are left out.
    for (int question = 0; question < questions_.Count(); ++question) {
        if (!questions_.IsChecked(question)) {
            continue;
        }
        for (const auto& issue : questions_.IssuesOf(question)) {
            entries_.push_back({question, issue});
            errors_ += issue.severity == bank::Severity::Error ? 1 : 0;
        }
    }
    endResetModel();
}

bool IssueListModel::IsError(int row) const {
    const int first = countProblem_.isEmpty() ? 0 : 1;
    return row < first ||
           entries_[static_cast<std::size_t>(row - first)].issue.severity == bank::Severity::Error;
}

QString IssueListModel::Describe(int row) const {
    const int first = countProblem_.isEmpty() ? 0 : 1;
    if (row < first) {
        return countProblem_;
    }
    const Entry& entry = entries_[static_cast<std::size_t>(row - first)];
    const bool error = entry.issue.severity == bank::Severity::Error;
    return QStringLiteral("%1 вопрос %2, %3: %4")
        .arg(error ? QStringLiteral("Ошибка:") : QStringLiteral("Внимание:"))
        .arg(entry.question + 1)
        .arg(NameField(entry.issue.field).toLower(), DescribeIssue(entry.issue));
}

}  // namespace vornikat::editor
