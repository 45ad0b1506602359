// SPDX-License-Identifier: MIT
#include "editor_settings.hpp"

#include <QFile>
#include <QVariant>
#include <algorithm>

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

// A name in UTF-8 is kept as text, as earlier versions kept every name; any other as its bytes.
std::vector<std::filesystem::path> EditorSettings::RecentFiles() const {
    std::vector<std::filesystem::path> files;
    for (const QVariant& entry : settings_.value(kRecent).toList()) {
        const QByteArray bytes = entry.typeId() == QMetaType::QByteArray
                                     ? entry.toByteArray()
                                     : QFile::encodeName(entry.toString());
        if (!bytes.isEmpty()) {
            files.emplace_back(bytes.toStdString());
        }
    }
    return files;
}

void EditorSettings::SetRecentFiles(const std::vector<std::filesystem::path>& files) {
    QVariantList entries;
    for (const auto& file : files) {
        const QByteArray bytes = QByteArray::fromStdString(file.native());
        const QString text = QFile::decodeName(bytes);
        entries.append(QFile::encodeName(text) == bytes ? QVariant(text) : QVariant(bytes));
    }
    settings_.setValue(kRecent, entries);
}

void EditorSettings::AddRecentFile(const std::filesystem::path& path) {
    auto files = RecentFiles();
    std::erase(files, path);
    files.insert(files.begin(), path);
    files.resize(std::min(files.size(), static_cast<std::size_t>(kRecentLimit)));
    SetRecentFiles(files);
}

void EditorSettings::RemoveRecentFile(const std::filesystem::path& path) {
    auto files = RecentFiles();
    std::erase(files, path);
    SetRecentFiles(files);
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
