// SPDX-License-Identifier: MIT
// The editor's keys that every desktop must give alike, whatever its own bindings lack.
#pragma once

#include <QKeySequence>
#include <QList>

class QKeyEvent;

namespace vornikat::editor {

QList<QKeySequence> UndoKeys();
// Ctrl+Shift+Z and Ctrl+Y both, whatever the platform's own binding.
QList<QKeySequence> RedoKeys();
// The platform's Save as, else Ctrl+Shift+S: some desktops bind none.
QList<QKeySequence> SaveAsKeys();
bool IsUndoOrRedoKey(const QKeyEvent& key);

}  // namespace vornikat::editor
