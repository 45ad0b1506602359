// SPDX-License-Identifier: MIT
#include "editor_window.hpp"

#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "bank_document.hpp"
#include "edit_commands.hpp"
#include "editor_keys.hpp"
#include "file_watch.hpp"
#include "issue_list_model.hpp"
#include "preview_text_measure.hpp"
#include "program_icon.hpp"
#include "question_form.hpp"
#include "question_list_model.hpp"
#include "quiz_preview.hpp"

namespace vornikat::editor {
namespace {

// The size the window opens at when it has none remembered, where the screen has the room.
constexpr QSize kOpeningSize(1280, 720);
constexpr int kIssueLinesShown = 5;
// What the view adds around an entry's line of text.
constexpr int kIssueRowMargin = 2;

// A part of the window that scrolls rather than keep the window larger than the screen.
QScrollArea* Scrolled(QWidget* part, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidget(part);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    // The pane follows the focused field as it moves; taking the focus itself, it would stop
    // Tab on no control the author can see.
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

}  // namespace

EditorWindow::EditorWindow() {
    setWindowIcon(ProgramIcon());
    // The checks measure the texts in the preview, the quiz's own window: it comes first.
    preview_ = new QuizPreview(this);
    measure_ = std::make_unique<PreviewTextMeasure>(*preview_);
    document_ = new BankDocument(*measure_, this);
    document_->SetRequireFit(settings_.RequireFit());
    questions_ = new QuestionListModel(*document_, this);
    issues_ = new IssueListModel(*document_, this);
    BuildWidgets();
    BuildActions();
    ConnectDocument();
    connect(form_, &QuestionForm::textEdited, this, &EditorWindow::EditText);
    connect(form_, &QuestionForm::rightOptionChosen, this, &EditorWindow::ChooseRightOption);
    connect(&undo_, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
    watch_ = new FileWatch(this);
    connect(watch_, &FileWatch::changedOnDisk, this, &EditorWindow::TellChangeOnDisk);
    // A file dropped on the window opens, or is imported when another tool exported it.
    setAcceptDrops(true);
    PlaceOnScreen();
    NewBank();
    // The author starts by typing the first question.
    form_->FocusField(bank::kQuestionField);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::ConnectDocument() {
    connect(document_, &BankDocument::questionChanged, this, [this](int row) {
        if (row == current_) {
            ShowCurrent();
        }
        SelectRow(row);
        UpdateStatus();
    });
    connect(document_, &BankDocument::inserted, this, [this](int row) {
        SelectRow(row);
        UpdateStatus();
    });
    // After a removal the chosen question's number changes under it.
    connect(document_, &BankDocument::removed, this, [this](int row) {
        current_ = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
        SelectRow(std::min(row, document_->Count() - 1));
        ShowCurrent();
        UpdateStatus();
    });
    // The chosen question keeps its row in the view but not its number: the preview's counter
    // is told the new one.
    connect(document_, &BankDocument::moved, this, [this](int, int to) {
        SelectRow(to);
        current_ = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
        ShowCurrent();
    });
    connect(document_, &BankDocument::wasReset, this, [this] {
        current_ = -1;
        SelectRow(0);
        UpdateStatus();
    });
    connect(document_, &BankDocument::checksChanged, this, [this] { UpdateStatus(); });
    connect(questions_, &QuestionListModel::moveRequested, this, [this](int from, int to) {
        undo_.push(new MoveQuestionCommand(*document_, from, to));
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                current_ = index.isValid() ? index.row() : -1;
                ShowCurrent();
            });
    // A rebuilt issue list keeps the author near the entry they had chosen.
    auto place = std::make_shared<IssueListModel::Place>();
    connect(issues_, &QAbstractItemModel::modelAboutToBeReset, this,
            [this, place] { *place = issues_->PlaceOf(issueList_->currentIndex().row()); });
    connect(issues_, &QAbstractItemModel::modelReset, this, [this, place] {
        if (place->question >= 0) {
            issueList_->setCurrentIndex(issues_->index(issues_->RowOf(*place)));
        }
    });
}

void EditorWindow::BuildWidgets() {
    auto* listPane = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(0, 0, 0, 0);
    find_ = new QLineEdit(listPane);
    find_->setObjectName("find");
    find_->setPlaceholderText(QStringLiteral("Найти во всех текстах (Ctrl+F)"));
    find_->setClearButtonEnabled(true);
    connect(find_, &QLineEdit::returnPressed, this, &EditorWindow::FindNext);
    connect(find_, &QLineEdit::textEdited, statusBar(), &QStatusBar::clearMessage);
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
    preview_->setObjectName("preview");
    preview_->setAccessibleName(QStringLiteral("Так вопрос покажет викторина"));

    columns_ = new QSplitter(Qt::Horizontal, this);
    columns_->setObjectName("columns");
    columns_->addWidget(listPane);
    columns_->addWidget(Scrolled(form_, this));
    // The preview draws itself smaller where the column is, rather than scroll.
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
    // Five entries stay in sight on any screen, beside the scroll bar a long entry brings.
    issueList_->setMinimumHeight(
        (issueList_->fontMetrics().height() + kIssueRowMargin) * kIssueLinesShown +
        issueList_->frameWidth() * 2 + issueList_->horizontalScrollBar()->sizeHint().height());
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

    // The counts stay in the status bar; a find's message passes over them for a while.
    counts_ = new QLabel(this);
    counts_->setObjectName("counts");
    statusBar()->addPermanentWidget(counts_);
    // Every text field's own undo would bypass the bank's: undo and redo go to the bank.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->installEventFilter(this);
    }
}

void EditorWindow::PlaceOnScreen() {
    const QRect available = screen()->availableGeometry();
    if (!restoreGeometry(settings_.Geometry())) {
        // Leave room for the window manager's frame around the window.
        resize(kOpeningSize.boundedTo(available.size() * 9 / 10));
        move(available.center() - rect().center());
    }
    // A size remembered on a larger screen, or at a smaller scale, is cut down to this one.
    if (!available.contains(geometry())) {
        resize(size().boundedTo(available.size() * 9 / 10));
        move(available.center() - rect().center());
    }
    // Splits kept in a larger window (a larger screen, a smaller scale) would leave the form a
    // sliver beside the preview, which keeps its size: the opening split serves instead.
    const QSize kept = settings_.SplittersWindowSize();
    const bool splitsFit = kept.width() <= width() && kept.height() <= height();
    if (!splitsFit || !columns_->restoreState(settings_.SplitterState(QStringLiteral("columns")))) {
        // The preview as large as the quiz's window where there is room; the list and the form
        // share the rest.
        const int preview = std::min(preview_->sizeHint().width(), width() * 9 / 20);
        const int rest = width() - preview;
        columns_->setSizes({rest / 4, rest - rest / 4, preview});
    }
    if (!splitsFit || !rows_->restoreState(settings_.SplitterState(QStringLiteral("rows")))) {
        rows_->setSizes({height() * 4 / 5, height() / 5});
    }
}

void EditorWindow::SelectRow(int row) {
    if (row < 0 || row >= document_->Count()) {
        if (document_->Count() == 0) {
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
    if (current_ < 0 || current_ >= document_->Count()) {
        form_->ShowNothing();
        preview_->ShowNothing();
        return;
    }
    const bank::DraftQuestion& question = document_->DraftAt(current_);
    form_->ShowQuestion(question, document_->IssuesOf(current_));
    preview_->ShowQuestion(question.record, current_);
}

void EditorWindow::UpdateTitle() {
    const QString name = path_.empty() ? QStringLiteral("Новый банк") : ShownName(path_.filename());
    setWindowTitle(name + QStringLiteral("[*] — Редактор вопросов Ворниката"));
    setWindowModified(!undo_.isClean());
}

void EditorWindow::UpdateStatus() {
    if (!document_->ChecksDone()) {
        counts_->setText(QStringLiteral("Вопросов: %1. Идёт проверка…").arg(document_->Count()));
        return;
    }
    counts_->setText(QStringLiteral("Вопросов: %1. Ошибок: %2. Предупреждений: %3.")
                         .arg(document_->Count())
                         .arg(document_->ErrorCount())
                         .arg(issues_->rowCount() - document_->ErrorCount()));
}

QString EditorWindow::CountsShown() const {
    return counts_->text();
}

QString EditorWindow::MessageShown() const {
    return statusBar()->currentMessage();
}

void EditorWindow::EditText(int field, const QString& text) {
    statusBar()->clearMessage();
    if (current_ >= 0) {
        undo_.push(new EditTextCommand(*document_, current_, field, text.toStdU16String()));
    }
}

void EditorWindow::ChooseRightOption(int option) {
    statusBar()->clearMessage();
    if (current_ >= 0 && document_->At(current_).rightOption != option) {
        undo_.push(
            new ChooseRightOptionCommand(*document_, current_, static_cast<std::int16_t>(option)));
    }
}

void EditorWindow::AddQuestion() {
    undo_.push(new InsertQuestionCommand(*document_, current_ + 1, bank::DraftQuestion{},
                                         QStringLiteral("добавление вопроса")));
    form_->FocusField(bank::kQuestionField);
}

void EditorWindow::DuplicateQuestion() {
    if (current_ >= 0) {
        undo_.push(new InsertQuestionCommand(*document_, current_ + 1, document_->DraftAt(current_),
                                             QStringLiteral("копирование вопроса")));
    }
}

void EditorWindow::DeleteQuestion() {
    if (current_ >= 0) {
        undo_.push(new RemoveQuestionCommand(*document_, current_));
    }
}

void EditorWindow::MoveCurrent(int step) {
    const int to = current_ + step;
    if (current_ >= 0 && to >= 0 && to < document_->Count()) {
        undo_.push(new MoveQuestionCommand(*document_, current_, to));
    }
}

void EditorWindow::FindNext() {
    statusBar()->clearMessage();
    const int found = document_->FindText(find_->text(), current_ + 1);
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
    if (event->type() == QEvent::ShortcutOverride) {
        // Left unaccepted, the key goes on to the window's undo and redo.
        if (IsUndoOrRedoKey(*static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::RememberLayout() {
    settings_.SetGeometry(saveGeometry());
    settings_.SetSplitterState(QStringLiteral("columns"), columns_->saveState());
    settings_.SetSplitterState(QStringLiteral("rows"), rows_->saveState());
    settings_.SetSplittersWindowSize(size());
}

}  // namespace vornikat::editor
