// SPDX-License-Identifier: MIT
// The editor's answer to what other programs do to the open file: a change or a removal is
// told at once, and a save over a version the editor never read asks first.
#include <QMessageBox>
#include <QPushButton>

#include "editor_window.hpp"
#include "file_watch.hpp"

namespace vornikat::editor {

void EditorWindow::TellChangeOnDisk(DiskChange change) {
    watch_->Hold();
    const QString caption = windowTitle().remove(QStringLiteral("[*]"));
    const QString name = ShownName(watch_->Path());
    if (change == DiskChange::Removed) {
        QMessageBox::warning(this, caption,
                             QStringLiteral("Файл «%1» удалён или переименован другой "
                                            "программой. Вопросы остались в редакторе: "
                                            "«Сохранить» запишет их в файл снова.")
                                 .arg(name));
        watch_->Accept();
        undo_.resetClean();
        watch_->Release();
        return;
    }
    const bool unsaved = !undo_.isClean();
    QMessageBox box(QMessageBox::Warning, caption,
                    QStringLiteral("Файл «%1» изменён другой программой. Загрузить его с диска "
                                   "или оставить версию редактора?%2")
                        .arg(name, unsaved ? QStringLiteral("\nНесохранённые изменения в "
                                                            "редакторе при загрузке пропадут.")
                                           : QString()),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Загрузить с диска"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Оставить версию редактора"));
    // Nothing of the author's is lost by a reload of a bank with no unsaved edits.
    box.setDefaultButton(unsaved ? QMessageBox::No : QMessageBox::Yes);
    if (box.exec() == QMessageBox::Yes) {
        OpenFile(watch_->Path());
    } else {
        // The disk holds another version now: the editor's is unsaved until it is written.
        watch_->Accept();
        undo_.resetClean();
    }
    watch_->Release();
}

std::optional<bool> EditorWindow::AskBeforeSavingOverChange(const std::filesystem::path& path) {
    // Asked of the disk, not of the watch's reports, which a busy system may drop or delay.
    if (path != watch_->Path() || watch_->ChangeOnDisk() != DiskChange::Changed) {
        return std::nullopt;
    }
    watch_->Hold();
    QMessageBox box(QMessageBox::Warning, windowTitle().remove(QStringLiteral("[*]")),
                    QStringLiteral("Файл «%1» изменён другой программой после того, как "
                                   "редактор его прочёл. Если сохранить поверх, эти изменения "
                                   "пропадут.")
                        .arg(ShownName(path)),
                    QMessageBox::Yes | QMessageBox::Save | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Сохранить &поверх"));
    box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить &как…"));
    box.setDefaultButton(QMessageBox::Cancel);
    const int answer = box.exec();
    watch_->Release();
    if (answer == QMessageBox::Yes) {
        return std::nullopt;
    }
    return answer == QMessageBox::Save && SaveWithDialog();
}

}  // namespace vornikat::editor
