// SPDX-License-Identifier: MIT
#include "question_list_model.hpp"

#include <QApplication>
#include <QBrush>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPalette>
#include <algorithm>

#include "readable_colors.hpp"

namespace vornikat::editor {
namespace {

const QString kRowMime = QStringLiteral("application/x-vornikat-question-row");

int CountErrors(const std::vector<bank::FieldIssue>& issues) {
    return static_cast<int>(std::count_if(issues.begin(), issues.end(), [](const auto& issue) {
        return issue.severity == bank::Severity::Error;
    }));
}

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QuestionListModel::QuestionListModel(QObject* parent) : QAbstractListModel(parent) {
    checker_.setInterval(0);
    connect(&checker_, &QTimer::timeout, this, [this] { CheckSlice(); });
}

int QuestionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) {
        return {};
    }
    const int row = index.row();
    const auto& issues = IssuesOf(row);
    switch (role) {
        case Qt::DisplayRole: {
            // Long texts are cut: the list shows which question it is, the form the rest.
            constexpr qsizetype kShown = 200;
            const QString text = ToQString(questions_[static_cast<std::size_t>(row)].question);
            return QString::number(row + 1) + ". " + text.left(kShown);
        }
        case Qt::ToolTipRole:
            return ToQString(questions_[static_cast<std::size_t>(row)].question);
        case Qt::ForegroundRole:
            if (issues.empty()) {
                return {};
            }
            // Legible on the list's background, light theme or dark.
            return QBrush(
                ReadableOn(CountErrors(issues) > 0 ? QColor(Qt::red) : QColor(0xA0, 0x60, 0x00),
                           QApplication::palette().color(QPalette::Base)));
        default:
            return {};
    }
}

Qt::ItemFlags QuestionListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

Qt::DropActions QuestionListModel::supportedDropActions() const {
    return Qt::MoveAction;
}

QStringList QuestionListModel::mimeTypes() const {
    return {kRowMime};
}

QMimeData* QuestionListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) {
        return nullptr;
    }
    auto* data = new QMimeData;
    data->setData(kRowMime, QByteArray::number(indexes.first().row()));
    return data;
}

bool QuestionListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                     int /*column*/, const QModelIndex& parent) {
    if (action != Qt::MoveAction || data == nullptr || !data->hasFormat(kRowMime)) {
        return false;
    }
    bool ok = false;
    const int from = data->data(kRowMime).toInt(&ok);
    if (!ok || from < 0 || from >= Count()) {
        return false;
    }
    int before = row >= 0 ? row : (parent.isValid() ? parent.row() : Count());
    // Dropped before row `before` of the list as it stands, the row leaves its own place first.
    const int to = std::clamp(before > from ? before - 1 : before, 0, Count() - 1);
    if (to != from) {
        emit moveRequested(from, to);
    }
    // The view must not remove the dragged row itself: the move has already placed it.
    return false;
}

const QuestionRecord& QuestionListModel::At(int row) const {
    return questions_.at(static_cast<std::size_t>(row));
}

const std::vector<bank::FieldIssue>& QuestionListModel::IssuesOf(int row) const {
    if (!IsChecked(row)) {
        Recheck(row);
    }
    return issues_[static_cast<std::size_t>(row)];
}

bool QuestionListModel::HasErrors() {
    FinishChecks();
    return errorCount_ > 0 || !bank::IsStorableQuestionCount(questions_.size());
}

void QuestionListModel::SetRequireFit(bool required) {
    if (required == requireFit_) {
        return;
    }
    requireFit_ = required;
    RecheckAll();
    emit issuesChanged();
}

void QuestionListModel::ResetQuestions(std::vector<QuestionRecord> questions) {
    beginResetModel();
    questions_ = std::move(questions);
    RecheckAll();
    endResetModel();
    emit issuesChanged();
}

void QuestionListModel::SetText(int row, int field, std::u16string text) {
    QuestionRecord& question = questions_.at(static_cast<std::size_t>(row));
    std::u16string& target = field == bank::kQuestionField
                                 ? question.question
                                 : question.options.at(static_cast<std::size_t>(field - 1));
    target = std::move(text);
    Recheck(row);
    emit dataChanged(index(row), index(row));
    emit questionChanged(row);
    emit issuesChanged();
    emit questionTouched(row);
}

void QuestionListModel::SetRightOption(int row, std::int16_t option) {
    questions_.at(static_cast<std::size_t>(row)).rightOption = option;
    Recheck(row);
    emit dataChanged(index(row), index(row));
    emit questionChanged(row);
    emit issuesChanged();
    emit questionTouched(row);
}

void QuestionListModel::InsertQuestion(int row, QuestionRecord question) {
    beginInsertRows({}, row, row);
    questions_.insert(questions_.begin() + row, std::move(question));
    issues_.insert(issues_.begin() + row, std::vector<bank::FieldIssue>());
    unchecked_.insert(unchecked_.begin() + row, 1);
    ++uncheckedCount_;
    Recheck(row);
    endInsertRows();
    // The numbers shown in front of the later questions have moved on.
    emit dataChanged(index(row), index(Count() - 1));
    emit issuesChanged();
    emit questionTouched(row);
}

QuestionRecord QuestionListModel::RemoveQuestion(int row) {
    beginRemoveRows({}, row, row);
    QuestionRecord removed = std::move(questions_.at(static_cast<std::size_t>(row)));
    errorCount_ -= CountErrors(issues_[static_cast<std::size_t>(row)]);
    uncheckedCount_ -= unchecked_[static_cast<std::size_t>(row)];
    questions_.erase(questions_.begin() + row);
    issues_.erase(issues_.begin() + row);
    unchecked_.erase(unchecked_.begin() + row);
    endRemoveRows();
    if (row < Count()) {
        emit dataChanged(index(row), index(Count() - 1));
    }
    emit issuesChanged();
    emit questionTouched(std::min(row, Count() - 1));
    return removed;
}

void QuestionListModel::MoveQuestion(int from, int to) {
    if (from == to) {
        return;
    }
    // Qt names the destination as the row the item goes before, in the list as it stands.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    const auto first = static_cast<std::size_t>(std::min(from, to));
    const auto last = static_cast<std::size_t>(std::max(from, to)) + 1;
    if (from < to) {
        std::rotate(questions_.begin() + first, questions_.begin() + first + 1,
                    questions_.begin() + last);
        std::rotate(issues_.begin() + first, issues_.begin() + first + 1, issues_.begin() + last);
        std::rotate(unchecked_.begin() + first, unchecked_.begin() + first + 1,
                    unchecked_.begin() + last);
    } else {
        std::rotate(questions_.begin() + first, questions_.begin() + last - 1,
                    questions_.begin() + last);
        std::rotate(issues_.begin() + first, issues_.begin() + last - 1, issues_.begin() + last);
        std::rotate(unchecked_.begin() + first, unchecked_.begin() + last - 1,
                    unchecked_.begin() + last);
    }
    endMoveRows();
    emit dataChanged(index(static_cast<int>(first)), index(static_cast<int>(last) - 1));
    emit issuesChanged();
    emit questionTouched(to);
}

int QuestionListModel::FindText(const QString& text, int start) const {
    if (text.isEmpty() || questions_.empty()) {
        return -1;
    }
    const auto contains = [&text](const std::u16string& haystack) {
        return QStringView(haystack.data(), static_cast<qsizetype>(haystack.size()))
            .contains(text, Qt::CaseInsensitive);
    };
    const int count = Count();
    for (int step = 0; step < count; ++step) {
        const int row = (std::max(start, 0) + step) % count;
        const QuestionRecord& question = questions_[static_cast<std::size_t>(row)];
        if (contains(question.question) ||
            std::any_of(question.options.begin(), question.options.end(), contains)) {
            return row;
        }
    }
    return -1;
}

void QuestionListModel::Recheck(int row) const {
    const auto at = static_cast<std::size_t>(row);
    auto& issues = issues_[at];
    errorCount_ -= CountErrors(issues);
    issues = bank::CheckQuestion(questions_[at], requireFit_);
    errorCount_ += CountErrors(issues);
    uncheckedCount_ -= unchecked_[at];
    unchecked_[at] = 0;
}

void QuestionListModel::RecheckAll() {
    issues_.assign(questions_.size(), {});
    unchecked_.assign(questions_.size(), 1);
    uncheckedCount_ = Count();
    errorCount_ = 0;
    checkCursor_ = 0;
    if (uncheckedCount_ > 0) {
        checker_.start();
    }
}

void QuestionListModel::CheckSlice() {
    constexpr qint64 kSliceMs = 8;
    QElapsedTimer slice;
    slice.start();
    while (uncheckedCount_ > 0 && slice.elapsed() < kSliceMs) {
        for (int k = 0; k < 256 && checkCursor_ < unchecked_.size(); ++k, ++checkCursor_) {
            if (unchecked_[checkCursor_]) {
                Recheck(static_cast<int>(checkCursor_));
            }
        }
        if (checkCursor_ >= unchecked_.size()) {
            checkCursor_ = 0;
        }
    }
    if (uncheckedCount_ == 0) {
        checker_.stop();
        // The list colours its questions by their checks.
        if (Count() > 0) {
            emit dataChanged(index(0), index(Count() - 1), {Qt::ForegroundRole});
        }
        emit issuesChanged();
    }
}

void QuestionListModel::FinishChecks() {
    if (!checker_.isActive()) {
        return;
    }
    for (int row = 0; row < Count(); ++row) {
        if (!IsChecked(row)) {
            Recheck(row);
        }
    }
    CheckSlice();
}

}  // namespace vornikat::editor
