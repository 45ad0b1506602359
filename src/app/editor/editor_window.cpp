// SPDX-License-Identifier: MIT
#include "editor_window.hpp"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

#include "edit_commands.hpp"
#include "issue_list_model.hpp"
#include "program_icon.hpp"
#include "question_form.hpp"
#include "question_list_model.hpp"
#include "quiz_preview.hpp"

namespace vornikat::editor {
namespace {

// Both habits, whatever the platform's own binding.
QList<QKeySequence> RedoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}

}  // namespace

EditorWindow::EditorWindow() {
    setWindowIcon(ProgramIcon());
    questions_ = new QuestionListModel(this);
    questions_->SetRequireFit(settings_.RequireFit());
    issues_ = new IssueListModel(*questions_, this);
    BuildWidgets();
    BuildActions();

    connect(questions_, &QuestionListModel::questionChanged, this, [this](int row) {
        if (row == current_) {
            ShowCurrent();
        }
    });
    connect(questions_, &QuestionListModel::questionTouched, this,
            [this](int row) { SelectRow(row); });
    connect(questions_, &QuestionListModel::issuesChanged, this, [this] { UpdateStatus(); });
    connect(questions_, &QuestionListModel::moveRequested, this, [this](int from, int to) {
        undo_.push(new MoveQuestionCommand(*questions_, from, to));
    });
    connect(questions_, &QAbstractItemModel::modelReset, this, [this] {
        current_ = -1;
        SelectRow(0);
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                current_ = index.isValid() ? index.row() : -1;
                ShowCurrent();
            });
    // After a move or a removal the chosen question's number changes under it.
    connect(questions_, &QAbstractItemModel::rowsMoved, this, [this] {
        current_ = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
    });
    connect(questions_, &QAbstractItemModel::rowsRemoved, this, [this] {
        current_ = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
        ShowCurrent();
    });
    connect(form_, &QuestionForm::textEdited, this, &EditorWindow::EditText);
    connect(form_, &QuestionForm::rightOptionChosen, this, &EditorWindow::ChooseRightOption);
    connect(&undo_, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });

    if (!restoreGeometry(settings_.Geometry())) {
        resize(1280, 720);
    }
    if (!columns_->restoreState(settings_.SplitterState(QStringLiteral("columns")))) {
        columns_->setSizes({320, 480, preview_->sizeHint().width()});
    }
    rows_->restoreState(settings_.SplitterState(QStringLiteral("rows")));
    NewBank();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::BuildWidgets() {
    auto* listPane = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(0, 0, 0, 0);
    find_ = new QLineEdit(listPane);
    find_->setObjectName("find");
    find_->setPlaceholderText(QStringLiteral("Найти во всех текстах (Ctrl+F)"));
    find_->setClearButtonEnabled(true);
    connect(find_, &QLineEdit::returnPressed, this, &EditorWindow::FindNext);
    listLayout->addWidget(find_);
    list_ = new QListView(listPane);
    list_->setObjectName("questionList");
    list_->setAccessibleName(QStringLiteral("Вопросы банка"));
    list_->setModel(questions_);
    // Every row is one line: the view lays out 32767 of them without asking each its size.
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setDragDropMode(QAbstractItemView::DragDrop);
    list_->setDefaultDropAction(Qt::MoveAction);
    list_->setDropIndicatorShown(true);
    listLayout->addWidget(list_);

    form_ = new QuestionForm(this);
    form_->setObjectName("questionForm");
    for (int field = 0; field < 6; ++field) {
        form_->TextField(field).installEventFilter(this);
    }
    preview_ = new QuizPreview(this);
    preview_->setObjectName("preview");
    preview_->setAccessibleName(QStringLiteral("Так вопрос покажет викторина"));

    columns_ = new QSplitter(Qt::Horizontal, this);
    columns_->setObjectName("columns");
    columns_->addWidget(listPane);
    columns_->addWidget(form_);
    columns_->addWidget(preview_);
    columns_->setStretchFactor(0, 1);
    columns_->setStretchFactor(1, 2);
    columns_->setStretchFactor(2, 0);

    auto* issuePane = new QWidget(this);
    auto* issueLayout = new QVBoxLayout(issuePane);
    issueLayout->setContentsMargins(0, 0, 0, 0);
    auto* issueTitle = new QLabel(QStringLiteral("Проверки всего банка (Ctrl+L):"), issuePane);
    issueLayout->addWidget(issueTitle);
    issueList_ = new QListView(issuePane);
    issueTitle->setBuddy(issueList_);
    issueLayout->addWidget(issueList_);
    issueList_->setObjectName("issueList");
    issueList_->setAccessibleName(QStringLiteral("Проверки"));
    issueList_->setModel(issues_);
    issueList_->setUniformItemSizes(true);
    issueList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(issueList_, &QListView::activated, this, &EditorWindow::GoToIssue);
    connect(issueList_, &QListView::clicked, this, &EditorWindow::GoToIssue);

    rows_ = new QSplitter(Qt::Vertical, this);
    rows_->setObjectName("rows");
    rows_->addWidget(columns_);
    rows_->addWidget(issuePane);
    rows_->setStretchFactor(0, 4);
    rows_->setStretchFactor(1, 1);
    setCentralWidget(rows_);
}

void EditorWindow::BuildActions() {
    QMenu* file = BuildFileMenu();
    auto* tools = addToolBar(QStringLiteral("Вопросы"));
    tools->setObjectName("questionTools");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    QAction* undo = undo_.createUndoAction(this);
    undo->setObjectName("undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_.createRedoAction(this);
    redo->setObjectName("redo");
    redo->setShortcuts(RedoKeys());
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    const auto add = [this, edit, tools](const char* name, const QString& text,
                                         const QKeySequence& key, auto slot, bool onToolBar) {
        QAction* action = edit->addAction(text, this, slot);
        action->setObjectName(name);
        action->setShortcut(key);
        if (onToolBar) {
            tools->addAction(action);
        }
        return action;
    };
    add("addQuestion", QStringLiteral("&Добавить вопрос"), QKeySequence(Qt::CTRL | Qt::Key_Return),
        &EditorWindow::AddQuestion, true);
    add("duplicateQuestion", QStringLiteral("Д&ублировать вопрос"),
        QKeySequence(Qt::CTRL | Qt::Key_D), &EditorWindow::DuplicateQuestion, true);
    // Ctrl+Del alone is the line edit's "delete the next word".
    add("deleteQuestion", QStringLiteral("Уд&алить вопрос"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete), &EditorWindow::DeleteQuestion, true);
    add(
        "moveUp", QStringLiteral("Переместить &выше"), QKeySequence(Qt::ALT | Qt::Key_Up),
        [this] { MoveCurrent(-1); }, true);
    add(
        "moveDown", QStringLiteral("Переместить &ниже"), QKeySequence(Qt::ALT | Qt::Key_Down),
        [this] { MoveCurrent(1); }, true);
    edit->addSeparator();
    add(
        "nextQuestion", QStringLiteral("&Следующий вопрос"),
        QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { SelectRow(current_ + 1); }, false);
    add(
        "previousQuestion", QStringLiteral("&Предыдущий вопрос"),
        QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { SelectRow(current_ - 1); }, false);
    edit->addSeparator();
    add(
        "find", QStringLiteral("&Найти…"), QKeySequence::Find,
        [this] {
            find_->setFocus();
            find_->selectAll();
        },
        false);
    add("findNext", QStringLiteral("Найти &далее"), QKeySequence::FindNext, &EditorWindow::FindNext,
        false);

    QMenu* check = menuBar()->addMenu(QStringLiteral("Про&верка"));
    requireFit_ = check->addAction(QStringLiteral("&Требовать, чтобы тексты помещались в окне"));
    requireFit_->setObjectName("requireFit");
    requireFit_->setCheckable(true);
    requireFit_->setChecked(questions_->RequireFit());
    requireFit_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    connect(requireFit_, &QAction::toggled, this, [this](bool required) {
        settings_.SetRequireFit(required);
        questions_->SetRequireFit(required);
        ShowCurrent();
    });
    check->addAction(QStringLiteral("&К списку проверок"), QKeySequence(Qt::CTRL | Qt::Key_L), this,
                     [this] { issueList_->setFocus(); });
    tools->addSeparator();
    for (QAction* action : file->actions()) {
        if (action->objectName() == QLatin1String("play")) {
            tools->addAction(action);
        }
    }
}

void EditorWindow::SelectRow(int row) {
    if (row < 0 || row >= questions_->Count()) {
        if (questions_->Count() == 0) {
            current_ = -1;
            ShowCurrent();
        }
        return;
    }
    const QModelIndex index = questions_->index(row);
    if (list_->currentIndex() != index) {
        list_->setCurrentIndex(index);
    }
    list_->scrollTo(index);
}

void EditorWindow::ShowCurrent() {
    if (current_ < 0 || current_ >= questions_->Count()) {
        form_->ShowNothing();
        preview_->ShowNothing();
        return;
    }
    const QuestionRecord& question = questions_->At(current_);
    form_->ShowQuestion(question, questions_->IssuesOf(current_));
    preview_->ShowQuestion(question, current_);
}

void EditorWindow::UpdateTitle() {
    const QString name =
        path_.isEmpty() ? QStringLiteral("Новый банк") : QFileInfo(path_).fileName();
    setWindowTitle(name + QStringLiteral("[*] — Редактор вопросов Ворниката"));
    setWindowModified(!undo_.isClean());
}

void EditorWindow::UpdateStatus() {
    if (!questions_->ChecksDone()) {
        statusBar()->showMessage(
            QStringLiteral("Вопросов: %1. Идёт проверка…").arg(questions_->Count()));
        return;
    }
    statusBar()->showMessage(QStringLiteral("Вопросов: %1. Ошибок: %2. Предупреждений: %3.")
                                 .arg(questions_->Count())
                                 .arg(issues_->ErrorCount())
                                 .arg(issues_->rowCount() - issues_->ErrorCount()));
}

void EditorWindow::EditText(int field, const QString& text) {
    if (current_ >= 0) {
        undo_.push(new EditTextCommand(*questions_, current_, field, text.toStdU16String()));
    }
}

void EditorWindow::ChooseRightOption(int option) {
    if (current_ >= 0 && questions_->At(current_).rightOption != option) {
        undo_.push(
            new ChooseRightOptionCommand(*questions_, current_, static_cast<std::int16_t>(option)));
    }
}

void EditorWindow::AddQuestion() {
    undo_.push(new InsertQuestionCommand(*questions_, current_ + 1, QuestionRecord{},
                                         QStringLiteral("добавление вопроса")));
    form_->FocusField(bank::kQuestionField);
}

void EditorWindow::DuplicateQuestion() {
    if (current_ >= 0) {
        undo_.push(new InsertQuestionCommand(*questions_, current_ + 1, questions_->At(current_),
                                             QStringLiteral("копирование вопроса")));
    }
}

void EditorWindow::DeleteQuestion() {
    if (current_ >= 0) {
        undo_.push(new RemoveQuestionCommand(*questions_, current_));
    }
}

void EditorWindow::MoveCurrent(int step) {
    const int to = current_ + step;
    if (current_ >= 0 && to >= 0 && to < questions_->Count()) {
        undo_.push(new MoveQuestionCommand(*questions_, current_, to));
    }
}

void EditorWindow::FindNext() {
    const int found = questions_->FindText(find_->text(), current_ + 1);
    if (found < 0) {
        statusBar()->showMessage(QStringLiteral("«%1» не найдено").arg(find_->text()), 5000);
        return;
    }
    SelectRow(found);
}

void EditorWindow::GoToIssue(const QModelIndex& index) {
    const IssueListModel::Place place = issues_->PlaceOf(index.row());
    if (place.question >= 0) {
        SelectRow(place.question);
        form_->FocusField(place.field);
    }
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    // The fields' own undo would bypass the bank's: undo and redo always go to the bank.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            RedoKeys().contains(QKeySequence(key->keyCombination()))) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::RememberLayout() {
    settings_.SetGeometry(saveGeometry());
    settings_.SetSplitterState(QStringLiteral("columns"), columns_->saveState());
    settings_.SetSplitterState(QStringLiteral("rows"), rows_->saveState());
}

}  // namespace vornikat::editor
