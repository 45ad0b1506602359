// SPDX-License-Identifier: MIT
// The bank editor's window: the list of questions, the form of the chosen one, the quiz window
// as it will show it, and the checks of the whole bank.
#pragma once

#include <QMainWindow>
#include <QUndoStack>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "bank_file.hpp"
#include "bank_source.hpp"
#include "editor_settings.hpp"

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QSplitter;
class QTemporaryDir;
class QToolBar;

namespace vornikat::editor {

class BankDocument;
class FileWatch;
enum class DiskChange;
class IssueListModel;
class PreviewTextMeasure;
class QuestionForm;
class QuestionListModel;
class QuizPreview;
struct ActionRow;

// A file's name as the editor's title, boxes and menus show it: one line, nothing in it that
// could move, colour or disguise the rest, and not wider than a box.
QString ShownName(const std::filesystem::path& path);
// A name Qt's dialogs give as the system spells it, in the locale's encoding, and back.
std::filesystem::path ToPath(const QString& path);
QString ToQtPath(const std::filesystem::path& path);
// A file another tool exported, known by its extension: imported as a new bank, never opened
// as the bank it is.
bool IsImportName(const QString& path);

class EditorWindow final : public QMainWindow {
    Q_OBJECT

  public:
    EditorWindow();
    ~EditorWindow() override;

    // Each says why in a box when it fails, and then changes nothing. A name is the system's
    // bytes, whatever their encoding; the QString forms take what Qt's dialogs give.
    bool OpenFile(const std::filesystem::path& path);
    bool OpenFile(const QString& path);
    bool SaveTo(const std::filesystem::path& path, BankFormat format);
    bool SaveTo(const QString& path, BankFormat format);
    bool PlayBank();
    // Questions another tool exported, as a new, unnamed bank; the form by the file's name and
    // content unless one is given.
    bool ImportFile(const std::filesystem::path& path,
                    std::optional<bank::SourceFormat> format = std::nullopt);
    // The bank editing starts with: one empty question.
    void NewBank();

    // The quiz program Play starts; by default the one beside the editor, else on PATH.
    void SetQuizProgram(const QString& program) { quizProgram_ = program; }
    QString QuizProgram() const;

    BankDocument& Document() const { return *document_; }
    QuestionForm& Form() const { return *form_; }
    QuizPreview& Preview() const { return *preview_; }
    QUndoStack& UndoStack() { return undo_; }
    int CurrentRow() const { return current_; }
    void SelectRow(int row);
    // The counts of the bank in the status bar, and the passing message of a find.
    QString CountsShown() const;
    QString MessageShown() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildWidgets();
    // The menus' and tool bar's actions, one row each.
    std::vector<ActionRow> ActionTable();
    void BuildActions();
    void ConnectDocument();
    void PlaceOnScreen();
    void ShowCurrent();
    void UpdateTitle();
    void UpdateStatus();
    void ShowError(const QString& text);

    void EditText(int field, const QString& text);
    void ChooseRightOption(int option);
    void AddQuestion();
    void DuplicateQuestion();
    void DeleteQuestion();
    void MoveCurrent(int step);
    void FindNext();
    void GoToIssue(const QModelIndex& index);

    void OpenWithDialog();
    void ImportWithDialog();
    bool Save();
    bool SaveWithDialog();
    // Aiken text in the form given; the form is kept for the next save.
    bool SaveTo(const std::filesystem::path& path, BankFormat format, TextForm form);
    // The box that says why the bank cannot be saved there; true when the author saved
    // elsewhere.
    bool OfferSaveAs(const QString& why);
    // True when there is nothing unsaved, or the author saved it or chose to lose it.
    bool ConfirmLosingChanges();
    void FillRecentMenu();
    // A change or removal of the open file by another program, told to the author.
    void TellChangeOnDisk(DiskChange change);
    // Nothing when the save may go on; else what the save came to, after the author was asked
    // about a file another program changed since the editor read it.
    std::optional<bool> AskBeforeSavingOverChange(const std::filesystem::path& path);
    void RememberLayout();

    EditorSettings settings_;
    QUndoStack undo_;
    std::unique_ptr<PreviewTextMeasure> measure_;
    BankDocument* document_ = nullptr;
    QuestionListModel* questions_ = nullptr;
    IssueListModel* issues_ = nullptr;
    QListView* list_ = nullptr;
    QListView* issueList_ = nullptr;
    QuestionForm* form_ = nullptr;
    QuizPreview* preview_ = nullptr;
    QLineEdit* find_ = nullptr;
    QLabel* counts_ = nullptr;
    QSplitter* columns_ = nullptr;
    QSplitter* rows_ = nullptr;
    QToolBar* tools_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* requireFit_ = nullptr;
    FileWatch* watch_ = nullptr;
    int current_ = -1;
    std::filesystem::path path_;
    BankFormat format_ = BankFormat::Aiken;
    TextForm textForm_;
    QString quizProgram_;
    std::unique_ptr<QTemporaryDir> playDir_;
};

}  // namespace vornikat::editor
