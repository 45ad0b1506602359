// SPDX-License-Identifier: MIT
#include "file_watch.hpp"

#include <QCryptographicHash>
#include <QFile>

#include "regular_file.hpp"

namespace vornikat::editor {
namespace {

constexpr int kSettleMs = 150;

}  // namespace

FileStamp StampOf(const std::filesystem::path& path) {
    const WholeFile file = ReadRegularFile(path);
    if (file.problem != OpenProblem::None) {
        return {};
    }
    return {
        .present = true,
        .size = static_cast<qint64>(file.bytes.size()),
        .hash = QCryptographicHash::hash(QByteArrayView(file.bytes), QCryptographicHash::Sha256)};
}

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &FileWatch::Check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
}

void FileWatch::Watch(const std::filesystem::path& path, const FileStamp& stamp) {
    Stop();
    path_ = path;
    stamp_ = stamp;
    WatchPresent();
}

void FileWatch::Stop() {
    settle_.stop();
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    path_.clear();
    stamp_ = {};
}

// The file itself while it is there; its folder while it is not, to see it come back.
void FileWatch::WatchPresent() {
    // Qt takes the system's bytes of a name as the locale's text.
    const QString file = QFile::decodeName(path_.c_str());
    const QString folder = QFile::decodeName(path_.parent_path().c_str());
    if (QFile::exists(file)) {
        watcher_.removePath(folder);
        watcher_.addPath(file);
    } else {
        watcher_.removePath(file);
        watcher_.addPath(folder);
    }
}

DiskChange FileWatch::ChangeOnDisk() {
    seen_ = StampOf(path_);
    if (seen_ == stamp_) {
        return DiskChange::None;
    }
    return seen_.present ? DiskChange::Changed : DiskChange::Removed;
}

void FileWatch::Release() {
    if (--holds_ == 0) {
        settle_.start();
    }
}

void FileWatch::Check() {
    if (path_.empty()) {
        return;
    }
    WatchPresent();
    if (holds_ > 0) {
        return;
    }
    if (const DiskChange change = ChangeOnDisk(); change != DiskChange::None) {
        emit changedOnDisk(change);
    }
}

}  // namespace vornikat::editor
