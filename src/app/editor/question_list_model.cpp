// SPDX-License-Identifier: MIT
#include "question_list_model.hpp"

#include <QApplication>
#include <QBrush>
#include <QMimeData>
#include <QPalette>
#include <algorithm>

#include "issue_text.hpp"
#include "qt_text.hpp"

namespace vornikat::editor {
namespace {

const QString kRowMime = QStringLiteral("application/x-vornikat-question-row");

}  // namespace

QuestionListModel::QuestionListModel(BankDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document) {
    connect(&document, &BankDocument::aboutToReset, this, [this] { beginResetModel(); });
    connect(&document, &BankDocument::wasReset, this, [this] { endResetModel(); });
    connect(&document, &BankDocument::aboutToInsert, this,
            [this](int row) { beginInsertRows({}, row, row); });
    // The numbers shown in front of the later questions move on as well.
    connect(&document, &BankDocument::inserted, this, [this](int row) {
        endInsertRows();
        emit dataChanged(index(row), index(rowCount() - 1));
    });
    connect(&document, &BankDocument::aboutToRemove, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(&document, &BankDocument::removed, this, [this](int row) {
        endRemoveRows();
        if (row < rowCount()) {
            emit dataChanged(index(row), index(rowCount() - 1));
        }
    });
    // Qt names the destination as the row the item goes before, in the list as it stands.
    connect(&document, &BankDocument::aboutToMove, this, [this](int from, int to) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    });
    connect(&document, &BankDocument::moved, this, [this](int from, int to) {
        endMoveRows();
        emit dataChanged(index(std::min(from, to)), index(std::max(from, to)));
    });
    connect(&document, &BankDocument::questionChanged, this,
            [this](int row) { emit dataChanged(index(row), index(row)); });
    // The list colours its questions by their checks.
    connect(&document, &BankDocument::checksChanged, this, [this] {
        if (rowCount() > 0) {
            emit dataChanged(index(0), index(rowCount() - 1), {Qt::ForegroundRole});
        }
    });
}

int QuestionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : document_.Count();
}

QModelIndex QuestionListModel::index(int row, int column, const QModelIndex& parent) const {
    const bool inside = !parent.isValid() && column == 0 && row >= 0 && row < document_.Count();
    return inside ? createIndex(row, column) : QModelIndex();
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int row = index.row();
    const QuestionRecord& question = document_.At(row);
    switch (role) {
        case Qt::DisplayRole: {
            // Long texts are cut: the list shows which question it is, the form the rest.
            constexpr qsizetype kShown = 200;
            const QString text = ToQString(question.question);
            return QString::number(row + 1) + ". " + text.left(kShown);
        }
        case Qt::ToolTipRole:
            return ToQString(question.question);
        case Qt::ForegroundRole: {
            const auto& issues = document_.IssuesOf(row);
            if (issues.empty()) {
                return {};
            }
            return QBrush(IssueColour(
                bank::CountErrors(issues) > 0 ? bank::Severity::Error : bank::Severity::Warning,
                QApplication::palette().color(QPalette::Base)));
        }
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
    const int count = rowCount();
    if (!ok || from < 0 || from >= count) {
        return false;
    }
    const int before = row >= 0 ? row : (parent.isValid() ? parent.row() : count);
    // Dropped before row `before` of the list as it stands, the row leaves its own place first.
    const int to = std::clamp(before > from ? before - 1 : before, 0, count - 1);
    if (to != from) {
        emit moveRequested(from, to);
    }
    // The view must not remove the dragged row itself: the move has already placed it.
    return false;
}

}  // namespace vornikat::editor
