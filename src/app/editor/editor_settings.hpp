// SPDX-License-Identifier: MIT
// What the editor remembers between runs, in $XDG_CONFIG_HOME/vornikat/vornikat-editor.conf:
// the window's size, the split between its parts, the recent files and "require fit".
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QSize>
#include <QStringList>
#include <filesystem>
#include <vector>

namespace vornikat::editor {

class EditorSettings {
  public:
    EditorSettings();

    // Names as the system's bytes, so that a name in another encoding than UTF-8 opens again.
    std::vector<std::filesystem::path> RecentFiles() const;
    // Puts the file first, dropping it from further down and the oldest beyond the limit.
    void AddRecentFile(const std::filesystem::path& path);
    void RemoveRecentFile(const std::filesystem::path& path);

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
    void SetRecentFiles(const std::vector<std::filesystem::path>& files);

    QSettings settings_;
};

}  // namespace vornikat::editor
