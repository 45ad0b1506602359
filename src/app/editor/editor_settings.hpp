// SPDX-License-Identifier: MIT
// What the editor remembers between runs, in $XDG_CONFIG_HOME/vornikat/vornikat-editor.conf:
// the window's size, the split between its parts, the recent files and "require fit".
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QSize>
#include <QStringList>

namespace vornikat::editor {

class EditorSettings {
  public:
    EditorSettings();

    QStringList RecentFiles() const;
    // Puts the file first, dropping it from further down and the oldest beyond the limit.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

    bool RequireFit() const;
    void SetRequireFit(bool required);

    QByteArray Geometry() const;
    void SetGeometry(const QByteArray& geometry);
    // Each splitter of the window by its name, and the window's size when they were kept.
    QByteArray SplitterState(const QString& name) const;
    void SetSplitterState(const QString& name, const QByteArray& state);
    QSize SplittersWindowSize() const;
    void SetSplittersWindowSize(const QSize& size);

  private:
    QSettings settings_;
};

}  // namespace vornikat::editor
