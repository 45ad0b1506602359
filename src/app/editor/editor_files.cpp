// SPDX-License-Identifier: MIT
// The editor's files: opening and saving a bank in either form, the recent files, playing the
// bank in the quiz, and the question before unsaved changes are lost.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "editor_window.hpp"
#include "issue_list_model.hpp"
#include "question_list_model.hpp"

namespace vornikat::editor {
namespace {

const QString kAikenFilter = QStringLiteral("Текст Aiken (*.txt)");
const QString kBinaryFilter = QStringLiteral("Банк викторины data.bin (*.bin)");
constexpr int kErrorsShown = 10;

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

BankFormat FormatOfName(const QString& path, const QString& filter) {
    if (filter == kBinaryFilter) {
        return BankFormat::Binary;
    }
    if (filter == kAikenFilter) {
        return BankFormat::Aiken;
    }
    return path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ? BankFormat::Binary
                                                                      : BankFormat::Aiken;
}

}  // namespace

QMenu* EditorWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->addAction(QStringLiteral("&Создать"), QKeySequence::New, this, [this] {
        if (ConfirmLosingChanges()) {
            NewBank();
        }
    });
    file->addAction(QStringLiteral("&Открыть…"), QKeySequence::Open, this,
                    &EditorWindow::OpenWithDialog);
    recentMenu_ = file->addMenu(QStringLiteral("&Недавние файлы"));
    recentMenu_->setObjectName("recentFiles");
    connect(recentMenu_, &QMenu::aboutToShow, this, &EditorWindow::FillRecentMenu);
    file->addSeparator();
    file->addAction(QStringLiteral("&Сохранить"), QKeySequence::Save, this, &EditorWindow::Save);
    file->addAction(QStringLiteral("Сохранить &как…"), QKeySequence::SaveAs, this,
                    &EditorWindow::SaveWithDialog);
    file->addSeparator();
    QAction* play = file->addAction(QStringLiteral("&Играть"), QKeySequence(Qt::Key_F5), this,
                                    &EditorWindow::PlayBank);
    play->setObjectName("play");
    play->setToolTip(QStringLiteral("Сыграть этот банк в викторине (F5)"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Выход"), QKeySequence::Quit, this, &QWidget::close);
    return file;
}

void EditorWindow::NewBank() {
    questions_->ResetQuestions({QuestionRecord{}});
    path_.clear();
    format_ = BankFormat::Aiken;
    undo_.clear();
    UpdateTitle();
}

bool EditorWindow::OpenFile(const QString& path) {
    OpenedBank opened;
    try {
        opened = ReadBankFile(ToPath(path));
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Файл «%1» не открыт.\n%2")
                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.what())));
        return false;
    }
    questions_->ResetQuestions(std::move(opened.questions));
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = opened.format;
    undo_.clear();
    settings_.AddRecentFile(path_);
    UpdateTitle();
    return true;
}

bool EditorWindow::SaveTo(const QString& path, BankFormat format) {
    questions_->FinishChecks();
    // Aiken text would take a letter the bank cannot store, but neither the bank tool nor the
    // editor could read that text back: what the editor saves, it can always open again.
    if (issues_->ErrorCount() > 0) {
        const QString why = format == BankFormat::Binary
                                ? QStringLiteral("викторина не сможет его показать")
                                : QStringLiteral(
                                      "такой текст не прочтут ни vornikat-bank, ни "
                                      "редактор");
        ShowError(QStringLiteral("Банк не сохранён в «%1»: пока в нём есть ошибки, %2.\n%3")
                      .arg(QDir::toNativeSeparators(path), why,
                           issues_->DescribeErrors(kErrorsShown).join('\n')));
        return false;
    }
    try {
        WriteBankFile(ToPath(path), questions_->Questions(), format);
    } catch (const BankFileError& error) {
        ShowError(QStringLiteral("Банк не сохранён в «%1».\n%2")
                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.what())));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    format_ = format;
    undo_.setClean();
    settings_.AddRecentFile(path_);
    UpdateTitle();
    return true;
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
        recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(path)), this,
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
    questions_->FinishChecks();
    if (issues_->ErrorCount() > 0) {
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
        WriteBankFile(ToPath(bankPath), questions_->Questions(), BankFormat::Binary);
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
