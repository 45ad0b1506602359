// SPDX-License-Identifier: MIT
// The list view's model of the bank's questions: one line each, coloured by its checks, and
// dragged to a new place. It holds nothing of its own; the document is the bank.
#pragma once

#include <QAbstractListModel>

#include "bank_document.hpp"

namespace vornikat::editor {

class QuestionListModel final : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit QuestionListModel(BankDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    // The view asks for every row as it lays out the list: the bounds come from the document
    // without the two virtual counts of the base class.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // A drop moves nothing itself: it asks for the move, which the undo stack then makes.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

  signals:
    void moveRequested(int from, int to);

  private:
    BankDocument& document_;
};

}  // namespace vornikat::editor
