// SPDX-License-Identifier: MIT
#include "editor_keys.hpp"

#include <QKeyEvent>

namespace vornikat::editor {

QList<QKeySequence> UndoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

QList<QKeySequence> RedoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}

QList<QKeySequence> SaveAsKeys() {
    const QList<QKeySequence> platform = QKeySequence::keyBindings(QKeySequence::SaveAs);
    return platform.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}
                              : platform;
}

bool IsUndoOrRedoKey(const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           UndoKeys().contains(pressed) || RedoKeys().contains(pressed);
}

}  // namespace vornikat::editor
