// SPDX-License-Identifier: MIT
#include "editor_settings.hpp"

#include <QFileInfo>

namespace vornikat::editor {
namespace {

constexpr qsizetype kRecentLimit = 8;
const QString kRecent = QStringLiteral("recentFiles");
const QString kRequireFit = QStringLiteral("requireFit");
const QString kGeometry = QStringLiteral("window/geometry");
const QString kSplitters = QStringLiteral("window/splitter-");
const QString kSplittersWindowSize = QStringLiteral("window/splitters-window-size");

}  // namespace

// QSettings in its native form on Linux keeps to the XDG configuration folder.
EditorSettings::EditorSettings()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornikat"),
                QStringLiteral("vornikat-editor")) {}

QStringList EditorSettings::RecentFiles() const {
    return settings_.value(kRecent).toStringList();
}

void EditorSettings::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    settings_.setValue(kRecent, files.mid(0, kRecentLimit));
}

void EditorSettings::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    settings_.setValue(kRecent, files);
}

bool EditorSettings::RequireFit() const {
    return settings_.value(kRequireFit, false).toBool();
}

void EditorSettings::SetRequireFit(bool required) {
    settings_.setValue(kRequireFit, required);
}

QByteArray EditorSettings::Geometry() const {
    return settings_.value(kGeometry).toByteArray();
}

void EditorSettings::SetGeometry(const QByteArray& geometry) {
    settings_.setValue(kGeometry, geometry);
}

QByteArray EditorSettings::SplitterState(const QString& name) const {
    return settings_.value(kSplitters + name).toByteArray();
}

void EditorSettings::SetSplitterState(const QString& name, const QByteArray& state) {
    settings_.setValue(kSplitters + name, state);
}

QSize EditorSettings::SplittersWindowSize() const {
    return settings_.value(kSplittersWindowSize).toSize();
}

void EditorSettings::SetSplittersWindowSize(const QSize& size) {
    settings_.setValue(kSplittersWindowSize, size);
}

}  // namespace vornikat::editor
