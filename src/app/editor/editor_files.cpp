// SPDX-License-Identifier: MIT
// The editor's files: opening and saving a bank in either form, the recent files, playing the
// bank in the quiz, and the question before unsaved changes are lost.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "atomic_file.hpp"
#include "bank_document.hpp"
#include "editor_window.hpp"
#include "issue_list_model.hpp"

namespace vornikat::editor {
namespace {

const QString kAikenFilter = QStringLiteral("Текст Aiken (*.txt)");
const QString kBinaryFilter = QStringLiteral("Банк викторины data.bin (*.bin)");
constexpr int kErrorsShown = 10;
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 300;

// The file's name as the system spells it, in the locale's encoding.
std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A file's name as the boxes and menus show it: a control character as an escape (a newline as
// \n, which every font can draw), so that the name stays on its line; a name too long for a
// line of the box loses its middle, so that its folder's start and its own end stay in sight.
QString ShownName(const QString& path) {
    constexpr qsizetype kLongest = 90;
    QString native;
    for (const QChar c : QDir::toNativeSeparators(path)) {
        if (c == '\n') {
            native += QStringLiteral("\\n");
        } else if (c == '\t') {
            native += QStringLiteral("\\t");
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            native += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        } else {
            native += c;
        }
    }
    if (native.size() <= kLongest) {
        return native;
    }
    return native.left(kLongest / 2) + QChar(0x2026) + native.right(kLongest / 2);
}

// The name the author typed says what the file is, whichever filter the dialog showed: text
// saved under a .bin name would be a bank the quiz refuses. Only a name of neither kind
// follows the filter.
BankFormat FormatOfName(const QString& path, const QString& filter) {
    if (path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive)) {
        return BankFormat::Binary;
    }
    if (path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        return BankFormat::Aiken;
    }
    return filter == kBinaryFilter ? BankFormat::Binary : BankFormat::Aiken;
}

// The author's own read-only mark counts as much as the system's refusal: a rename would
// replace the file either way.
bool IsReadOnly(const QString& path) {
    const QFileInfo file(path);
    // The mode's own bits: the user's bit says what the system allows, which for root is all.
    constexpr auto kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return file.exists() && (!file.isWritable() || (file.permissions() & kAnyWrite) == 0);
}

}  // namespace

void EditorWindow::NewBank() {
    document_->Reset({QuestionRecord{}});
    path_.clear();
    format_ = BankFormat::Aiken;
    undo_.clear();
    UpdateTitle();
}

bool EditorWindow::OpenFile(const QString& path) {
    // Qt spells names in UTF-8: bytes of another encoding come as U+FFFD, and the name then
    // names no file, though the file is there.
    if (path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path)) {
        ShowError(QStringLiteral("Файл «%1» не открыт.\nВ его имени есть байты не в кодировке "
                                 "UTF-8, и редактор не найдёт файл по такому имени: переименуйте "
                                 "его.")
                      .arg(ShownName(path)));
        return false;
    }
    // A file that takes a while shows how far the reading has come, and may be given up; a
    // quick one opens without a box flashing by.
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    const auto report = [&](std::uint64_t done, std::uint64_t total) {
        if (!progress && clock.elapsed() >= kProgressDelayMs) {
            progress = std::make_unique<QProgressDialog>(
                QStringLiteral("Читается «%1»…").arg(ShownName(path)), QStringLiteral("Отмена"), 0,
                kProgressSteps, this);
            // Titled in the author's language, not by the program's file name.
            progress->setWindowTitle(QStringLiteral("Открытие банка"));
            // Wide enough for the title beside the window manager's buttons.
            progress->setMinimumWidth(progress->fontMetrics().averageCharWidth() * 40);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        if (!progress) {
            return true;
        }
        // The events are seen once a step, however small the pieces the file comes in.
        const int step = total == 0 ? 0 : static_cast<int>(done * kProgressSteps / total);
        if (step != progress->value()) {
            progress->setValue(step);
            QCoreApplication::processEvents();
        }
        return !progress->wasCanceled();
    };
    std::optional<OpenedBank> opened;
    try {
        opened = ReadBankFile(ToPath(path), report);
    } catch (const BankFileError& error) {
        progress.reset();
        ShowError(QStringLiteral("Файл «%1» не открыт.\n%2")
                      .arg(ShownName(path), QString::fromStdString(error.what())));
        return false;
    }
    progress.reset();
    if (!opened) {
        return false;
    }
    document_->Reset(std::move(opened->questions));
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = opened->format;
    // A file with no questions in it says nothing of its form: its name says it, so that an
    // empty data.bin made for a new bank is saved as one.
    if (format_ == BankFormat::Aiken && document_->Count() == 0) {
        format_ = FormatOfName(path, kAikenFilter);
    }
    undo_.clear();
    settings_.AddRecentFile(path_);
    UpdateTitle();
    return true;
}

bool EditorWindow::SaveTo(const QString& path, BankFormat format) {
    document_->FinishChecks();
    // Aiken text holds a draft with errors, to be mended later; data.bin would be a bank
    // neither the quiz nor the editor could read.
    if (format == BankFormat::Binary && document_->ErrorCount() > 0) {
        ShowError(QStringLiteral("Банк не сохранён в «%1»: пока в нём есть ошибки, викторина не "
                                 "сможет его показать. Черновик можно сохранить как текст Aiken."
                                 "\n%2")
                      .arg(ShownName(path), issues_->DescribeErrors(kErrorsShown).join('\n')));
        return false;
    }
    if (format == BankFormat::Aiken) {
        const QStringList unwritable = issues_->DescribeWhere(bank::KeepsFromAiken, kErrorsShown);
        if (!unwritable.isEmpty()) {
            ShowError(QStringLiteral("Банк не сохранён в «%1»: текст Aiken не может передать "
                                     "этого.\n%2")
                          .arg(ShownName(path), unwritable.join('\n')));
            return false;
        }
    }
    if (IsReadOnly(path)) {
        return OfferSaveAs(path);
    }
    // What earlier saves of this file left when they were killed goes first, so that none
    // outlives this save even if it is killed in its turn.
    RemoveLeftoverTempFiles(ToPath(path));
    try {
        WriteBankFile(ToPath(path), document_->Records(), format);
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Банк не сохранён в «%1».\n%2")
                      .arg(ShownName(path), QString::fromStdString(error.what())));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = format;
    undo_.setClean();
    settings_.AddRecentFile(path_);
    UpdateTitle();
    return true;
}

bool EditorWindow::OfferSaveAs(const QString& path) {
    QMessageBox box(QMessageBox::Warning, windowTitle().remove(QStringLiteral("[*]")),
                    QStringLiteral("Файл «%1» только для чтения, и банк не сохранён поверх него. "
                                   "Сохранить банк в другой файл?")
                        .arg(ShownName(path)),
                    QMessageBox::Save | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить &как…"));
    box.setDefaultButton(QMessageBox::Save);
    return box.exec() == QMessageBox::Save && SaveWithDialog();
}

bool EditorWindow::Save() {
    return path_.isEmpty() ? SaveWithDialog() : SaveTo(path_, format_);
}

bool EditorWindow::SaveWithDialog() {
    QString filter = format_ == BankFormat::Binary ? kBinaryFilter : kAikenFilter;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить банк"), path_,
                                     kAikenFilter + QStringLiteral(";;") + kBinaryFilter, &filter);
    return !path.isEmpty() && SaveTo(path, FormatOfName(path, filter));
}

void EditorWindow::OpenWithDialog() {
    if (!ConfirmLosingChanges()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть банк"), QFileInfo(path_).absolutePath(),
        QStringLiteral("Банки вопросов (*.txt *.bin);;") + kAikenFilter + QStringLiteral(";;") +
            kBinaryFilter + QStringLiteral(";;Все файлы (*)"));
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void EditorWindow::FillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = settings_.RecentFiles();
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QString path = files[k];
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(ShownName(path)), this,
                               [this, path] {
                                   if (!ConfirmLosingChanges()) {
                                       return;
                                   }
                                   if (!OpenFile(path) && !QFileInfo::exists(path)) {
                                       settings_.RemoveRecentFile(path);
                                   }
                               });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

QString EditorWindow::QuizProgram() const {
    if (!quizProgram_.isEmpty()) {
        return quizProgram_;
    }
    const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath("vornikat"));
    if (beside.isExecutable()) {
        return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("vornikat"));
}

bool EditorWindow::PlayBank() {
    const QString program = QuizProgram();
    if (program.isEmpty()) {
        ShowError(
            QStringLiteral("Викторина vornikat не найдена ни рядом с редактором, ни в PATH."));
        return false;
    }
    document_->FinishChecks();
    if (document_->ErrorCount() > 0) {
        ShowError(QStringLiteral("Пока в банке есть ошибки, викторина не сможет его показать.\n%1")
                      .arg(issues_->DescribeErrors(kErrorsShown).join('\n')));
        return false;
    }
    // The quiz reads its bank once, at its start: the file may go with the editor.
    if (!playDir_) {
        playDir_ = std::make_unique<QTemporaryDir>();
    }
    const QString bankPath = playDir_->filePath(QStringLiteral("data.bin"));
    try {
        WriteBankFile(ToPath(bankPath), document_->Records(), BankFormat::Binary);
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Временный банк не записан.\n%1")
                      .arg(QString::fromStdString(error.what())));
        return false;
    }
    if (!QProcess::startDetached(program, {bankPath})) {
        ShowError(QStringLiteral("Викторина «%1» не запускается.").arg(program));
        return false;
    }
    return true;
}

bool EditorWindow::ConfirmLosingChanges() {
    if (undo_.isClean()) {
        return true;
    }
    const auto answer = QMessageBox::question(
        this, windowTitle().remove(QStringLiteral("[*]")),
        QStringLiteral("В банке есть несохранённые изменения. Сохранить их?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return Save();
    }
    return answer == QMessageBox::Discard;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmLosingChanges()) {
        event->ignore();
        return;
    }
    RememberLayout();
    event->accept();
}

void EditorWindow::ShowError(const QString& text) {
    QMessageBox::warning(this, windowTitle().remove(QStringLiteral("[*]")), text);
}

}  // namespace vornikat::editor
