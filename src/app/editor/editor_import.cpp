// SPDX-License-Identifier: MIT
// Bringing questions in from other tools' files, by the File menu or by a drop on the window:
// they open as a new, unnamed bank, so that no file is overwritten in another tool's form.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "bank_document.hpp"
#include "bank_import.hpp"
#include "editor_window.hpp"
#include "file_watch.hpp"

namespace vornikat::editor {
namespace {

const QString kGiftFilter = QStringLiteral("GIFT (*.gift *.txt)");
const QString kXmlFilter = QStringLiteral("Moodle XML (*.xml)");
const QString kCsvFilter = QStringLiteral("Таблица CSV (*.csv)");

QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.constFirst().isLocalFile() ? urls.constFirst().toLocalFile()
                                                               : QString();
}

}  // namespace

bool IsImportName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QStringLiteral("gift") || suffix == QStringLiteral("xml") ||
           suffix == QStringLiteral("csv");
}

void EditorWindow::ImportWithDialog() {
    if (!ConfirmLosingChanges()) {
        return;
    }
    QString filter;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Импорт вопросов"), ToQtPath(path_.parent_path()),
        QStringLiteral("Вопросы других программ (*.gift *.txt *.xml *.csv);;") + kGiftFilter +
            QStringLiteral(";;") + kXmlFilter + QStringLiteral(";;") + kCsvFilter +
            QStringLiteral(";;Все файлы (*)"),
        &filter);
    if (path.isEmpty()) {
        return;
    }
    // A .txt may be Aiken or GIFT: the filter the author chose says which it is.
    std::optional<bank::SourceFormat> format;
    if (filter == kGiftFilter) {
        format = bank::SourceFormat::Gift;
    } else if (filter == kXmlFilter) {
        format = bank::SourceFormat::MoodleXml;
    } else if (filter == kCsvFilter) {
        format = bank::SourceFormat::Csv;
    }
    ImportFile(ToPath(path), format);
}

bool EditorWindow::ImportFile(const std::filesystem::path& path,
                              std::optional<bank::SourceFormat> format) {
    ImportedBank imported;
    try {
        imported = ImportBankFile(path, format);
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Файл «%1» не импортирован.\n%2")
                      .arg(ShownName(path), QString::fromStdString(error.what())));
        return false;
    }
    QStringList errors;
    for (const auto& error : imported.errors) {
        errors << QString::fromStdString(error);
    }
    if (imported.questions.empty()) {
        ShowError(QStringLiteral("Из файла «%1» не пришло ни одного вопроса.%2\n%3")
                      .arg(ShownName(path),
                           imported.skipped > 0
                               ? QStringLiteral(" Пропущено вопросов других видов: %1.")
                                     .arg(imported.skipped)
                               : QString(),
                           errors.join('\n')));
        return false;
    }
    const int count = static_cast<int>(imported.questions.size());
    document_->Reset(std::move(imported.questions));
    path_.clear();
    watch_->Stop();
    format_ = BankFormat::Aiken;
    textForm_ = {};
    undo_.clear();
    // Nothing of it is saved yet: closing asks, and Save asks for a name.
    undo_.resetClean();
    UpdateTitle();
    statusBar()->showMessage(
        QStringLiteral("Импортировано вопросов: %1. Пропущено вопросов других видов: %2.")
            .arg(count)
            .arg(imported.skipped));
    if (!errors.isEmpty()) {
        ShowError(QStringLiteral("Часть файла «%1» не прочитана:\n%2")
                      .arg(ShownName(path), errors.join('\n')));
    }
    return true;
}

void EditorWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void EditorWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    if (!ConfirmLosingChanges()) {
        return;
    }
    if (IsImportName(path)) {
        ImportFile(ToPath(path));
    } else {
        OpenFile(path);
    }
}

}  // namespace vornikat::editor
