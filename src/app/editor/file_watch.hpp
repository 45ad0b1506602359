// SPDX-License-Identifier: MIT
// The open bank's file as the editor last read or wrote it, and what other programs do to it
// since: a change or a removal is told as soon as the system reports it. A program that saves
// by writing a new file and renaming it over the old one leaves the old one's watch behind, so
// the watch is set again after every report; a missing file is looked for in its folder.
#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <filesystem>

namespace vornikat::editor {

// What a file holds: its size and a hash of its bytes, which tells apart two versions written
// within the same second, as a modification time alone would not.
struct FileStamp {
    bool present = false;
    qint64 size = 0;
    QByteArray hash;

    bool operator==(const FileStamp&) const = default;
};

// The file as it is on the disk now; not present when it is missing or cannot be read.
FileStamp StampOf(const std::filesystem::path& path);

enum class DiskChange { None, Changed, Removed };

class FileWatch final : public QObject {
    Q_OBJECT

  public:
    explicit FileWatch(QObject* parent = nullptr);

    // Watches the file, as the stamp says the editor has it.
    void Watch(const std::filesystem::path& path, const FileStamp& stamp);
    void Stop();
    const std::filesystem::path& Path() const { return path_; }

    // What became of the file since the editor had it, asked of the disk now.
    DiskChange ChangeOnDisk();
    // The file as the last report or question saw it becomes the editor's: that version is no
    // longer news, and any later one still is.
    void Accept() { stamp_ = seen_; }

    // While held, reports wait; a check follows the release.
    void Hold() { ++holds_; }
    void Release();

  signals:
    void changedOnDisk(DiskChange change);

  private:
    void Check();
    void WatchPresent();

    QFileSystemWatcher watcher_;
    // The system reports a save as several events, a replacement as a removal first: they
    // settle before the file is looked at.
    QTimer settle_;
    std::filesystem::path path_;
    FileStamp stamp_;
    FileStamp seen_;
    int holds_ = 0;
};

}  // namespace vornikat::editor
