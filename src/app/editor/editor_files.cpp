// SPDX-License-Identifier: MIT
// The editor's files: opening and saving a bank in either form, the recent files, playing the
// bank in the quiz, and the question before unsaved changes are lost.
#include <sys/stat.h>
#include <unistd.h>

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

#include "bank_document.hpp"
#include "editor_window.hpp"
#include "file_watch.hpp"
#include "issue_list_model.hpp"
#include "posix_atomic_file.hpp"
#include "terminal_text.hpp"

namespace vornikat::editor {

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString ToQtPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

namespace {

const QString kAikenFilter = QStringLiteral("Текст Aiken (UTF-8) (*.txt)");
const QString kBinaryFilter = QStringLiteral("Банк викторины data.bin (*.bin)");
constexpr int kErrorsShown = 10;
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 300;

std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal();
}

// The name the author typed says what the file is, whichever filter the dialog showed: text
// saved under a .bin name would be a bank the quiz refuses. Only a name of neither kind
// follows the filter.
// A folder that takes no new file: its mode grants no write to anyone (the author's own mark,
// which root would pass), or the system refuses this user.
bool IsClosedFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(folder.c_str(), W_OK | X_OK) != 0);
}

QString DescribeForm(const TextForm& form) {
    return QString::fromStdString(bank::DescribeTextForm(form));
}

QString SourceFormFilter(const TextForm& form) {
    return QStringLiteral("Текст Aiken, как в исходном файле: %1 (*.txt)").arg(DescribeForm(form));
}

QString NameLetter(char32_t c) {
    return QString::fromStdString(bank::NameLetter(c));
}

BankFormat FormatOfName(const std::filesystem::path& path, const QString& filter) {
    const QString extension = ToQtPath(path.extension()).toLower();
    if (extension == QStringLiteral(".bin")) {
        return BankFormat::Binary;
    }
    if (extension == QStringLiteral(".txt")) {
        return BankFormat::Aiken;
    }
    return filter == kBinaryFilter ? BankFormat::Binary : BankFormat::Aiken;
}

// A reason the readers word as a clause, told as a sentence of its own.
QString AsSentence(const std::string& reason) {
    QString sentence = QString::fromStdString(reason);
    if (!sentence.isEmpty()) {
        sentence[0] = sentence[0].toUpper();
    }
    return sentence;
}

}  // namespace

void EditorWindow::NewBank() {
    document_->Reset({bank::DraftQuestion{}});
    path_.clear();
    watch_->Stop();
    format_ = BankFormat::Aiken;
    textForm_ = {};
    undo_.clear();
    UpdateTitle();
}

// A file's name as the boxes, menus and title show it: every character that would break the
// line, reach the terminal's controls or turn the text around as an escape, by the rule every
// program of ours prints names by; a name too long for a line of the box loses its middle, so
// that its folder's start and its own end stay in sight.
QString ShownName(const std::filesystem::path& path) {
    constexpr qsizetype kLongest = 90;
    const QString shown = QString::fromStdString(EscapeName(path.native()));
    if (shown.size() <= kLongest) {
        return shown;
    }
    return shown.left(kLongest / 2) + QChar(0x2026) + shown.right(kLongest / 2);
}

bool EditorWindow::OpenFile(const QString& path) {
    // Qt's file dialog spells names in UTF-8: bytes of another encoding come as U+FFFD, and the
    // name then names no file, though the file is there.
    if (path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path)) {
        ShowError(QStringLiteral("Файл «%1» не открыт.\nВ его имени есть байты не в кодировке "
                                 "UTF-8, и окно выбора файла не передаёт его имени: откройте "
                                 "его из командной строки (vornikat-editor ИМЯ) или "
                                 "переименуйте.")
                      .arg(ShownName(ToPath(path))));
        return false;
    }
    return OpenFile(ToPath(path));
}

bool EditorWindow::OpenFile(const std::filesystem::path& path) {
    // What another tool exported is brought in as a new bank, however it is opened.
    if (IsImportName(ToQtPath(path))) {
        return ImportFile(path);
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
    // Taken before the reading, so that a change made meanwhile is never taken for the version
    // read.
    const FileStamp stamp = StampOf(path);
    std::optional<OpenedBank> opened;
    try {
        opened = ReadBankFile(path, report);
    } catch (const BankFileError& error) {
        progress.reset();
        ShowError(QStringLiteral("Файл «%1» не открыт.\n%2")
                      .arg(ShownName(path), AsSentence(error.what())));
        return false;
    }
    progress.reset();
    if (!opened) {
        return false;
    }
    document_->Reset(std::move(opened->questions));
    path_ = AbsolutePath(path);
    format_ = opened->format;
    textForm_ = opened->form;
    // A file with no questions in it says nothing of its form: its name says it, so that an
    // empty data.bin made for a new bank is saved as one.
    if (format_ == BankFormat::Aiken && document_->Count() == 0) {
        format_ = FormatOfName(path, kAikenFilter);
    }
    undo_.clear();
    watch_->Watch(path_, stamp);
    settings_.AddRecentFile(path_);
    UpdateTitle();
    // What saves of this bank left when they were killed goes now, not only at its next save:
    // the author sees the folder as it should be.
    RemoveLeftoverTempFiles(path_);
    if (!opened->unread.empty()) {
        QStringList lines;
        for (const auto& line : opened->unread) {
            lines << QString::fromStdString(line);
        }
        ShowError(QStringLiteral("Файл «%1» открыт, но эти его строки не вошли ни в один вопрос "
                                 "и при сохранении пропадут:\n%2")
                      .arg(ShownName(path), lines.join('\n')));
    }
    return true;
}

bool EditorWindow::SaveTo(const QString& path, BankFormat format) {
    return SaveTo(ToPath(path), format);
}

bool EditorWindow::SaveTo(const std::filesystem::path& path, BankFormat format) {
    return SaveTo(path, format, textForm_);
}

bool EditorWindow::SaveTo(const std::filesystem::path& path, BankFormat format, TextForm form) {
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
    if (IsWriteProtected(path)) {
        return OfferSaveAs(QStringLiteral("Файл «%1» только для чтения, и банк не сохранён поверх "
                                          "него. Сохранить банк в другой файл?")
                               .arg(ShownName(path)));
    }
    if (const auto folder = AbsolutePath(path).parent_path(); IsClosedFolder(folder)) {
        return OfferSaveAs(QStringLiteral("В папку «%1» нельзя записывать, и банк не сохранён в "
                                          "ней. Сохранить банк в другое место?")
                               .arg(ShownName(folder)));
    }
    if (const std::optional<bool> settled = AskBeforeSavingOverChange(AbsolutePath(path))) {
        return *settled;
    }
    // What earlier saves of this file left when they were killed goes first, so that none
    // outlives this save even if it is killed in its turn.
    RemoveLeftoverTempFiles(path);
    try {
        WriteBankFile(path, document_->Drafts(), format, form);
    } catch (const LetterOutsideEncoding& error) {
        // A letter is never dropped to keep the file's encoding: the author chooses UTF-8, which
        // holds every letter, or no save.
        QMessageBox box(QMessageBox::Question, windowTitle().remove(QStringLiteral("[*]")),
                        QStringLiteral("В банке есть знак %1, которого нет в кодировке %2, в "
                                       "которой записан файл «%3». Сохранить файл в UTF-8, "
                                       "чтобы знак не пропал?")
                            .arg(NameLetter(error.Letter()), DescribeForm({form.encoding, {}}),
                                 ShownName(path)),
                        QMessageBox::Save | QMessageBox::Cancel, this);
        box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить в &UTF-8"));
        if (box.exec() != QMessageBox::Save) {
            return false;
        }
        return SaveTo(path, format, {bank::TextEncoding::Utf8WithMark, form.lineEnds});
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Банк не сохранён в «%1».\n%2")
                      .arg(ShownName(path), QString::fromStdString(error.what())));
        return false;
    }
    path_ = AbsolutePath(path);
    format_ = format;
    if (format == BankFormat::Aiken) {
        textForm_ = form;
    }
    watch_->Watch(path_, StampOf(path_));
    undo_.setClean();
    settings_.AddRecentFile(path_);
    UpdateTitle();
    return true;
}

bool EditorWindow::OfferSaveAs(const QString& why) {
    QMessageBox box(QMessageBox::Warning, windowTitle().remove(QStringLiteral("[*]")), why,
                    QMessageBox::Save | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить &как…"));
    box.setDefaultButton(QMessageBox::Save);
    return box.exec() == QMessageBox::Save && SaveWithDialog();
}

bool EditorWindow::Save() {
    return path_.empty() ? SaveWithDialog() : SaveTo(path_, format_);
}

bool EditorWindow::SaveWithDialog() {
    // A text that came in another form than UTF-8 with LF is saved in that form, unless the
    // author picks UTF-8.
    const QString sourceForm = textForm_ == TextForm{} ? QString() : SourceFormFilter(textForm_);
    QStringList filters{kAikenFilter, kBinaryFilter};
    if (!sourceForm.isEmpty()) {
        filters.prepend(sourceForm);
    }
    QFileDialog dialog(this, QStringLiteral("Сохранить банк"), ToQtPath(path_),
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension takes the chosen type's, so that the Open dialog's
    // filter shows the file again; the question before replacing a file asks of that name.
    const auto suffixFor = [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kBinaryFilter ? QStringLiteral("bin")
                                                        : QStringLiteral("txt"));
    };
    const QString chosen = format_ == BankFormat::Binary ? kBinaryFilter : filters.front();
    dialog.selectNameFilter(chosen);
    suffixFor(chosen);
    connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixFor);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    const std::filesystem::path path = ToPath(dialog.selectedFiles().constFirst());
    const QString filter = dialog.selectedNameFilter();
    return SaveTo(path, FormatOfName(path, filter),
                  filter == kAikenFilter ? TextForm{} : textForm_);
}

void EditorWindow::OpenWithDialog() {
    if (!ConfirmLosingChanges()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть банк"), ToQtPath(path_.parent_path()),
        QStringLiteral("Банки вопросов (*.txt *.bin);;") + kAikenFilter + QStringLiteral(";;") +
            kBinaryFilter + QStringLiteral(";;Все файлы (*)"));
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void EditorWindow::FillRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::filesystem::path> files = settings_.RecentFiles();
    for (std::size_t k = 0; k < files.size(); ++k) {
        const std::filesystem::path path = files[k];
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(ShownName(path)), this,
                               [this, path] {
                                   if (!ConfirmLosingChanges()) {
                                       return;
                                   }
                                   std::error_code error;
                                   if (!OpenFile(path) && !std::filesystem::exists(path, error)) {
                                       settings_.RemoveRecentFile(path);
                                   }
                               });
    }
    recentMenu_->setEnabled(!files.empty());
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
