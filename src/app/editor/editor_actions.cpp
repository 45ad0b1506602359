// SPDX-License-Identifier: MIT
// The editor's menus and tool bar, declared as one table of actions.
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <functional>
#include <vector>

#include "bank_document.hpp"
#include "editor_keys.hpp"
#include "editor_window.hpp"

namespace vornikat::editor {

enum class Menu { File, Edit, Check };
// Where an action shows beyond its menu: the question tools, or a bar of its own after them,
// which stays in sight when a narrow window (a small screen, a large scale) folds the question
// tools into their overflow menu.
enum class ToolBar { None, Questions, OwnBar };

// One action of the editor: its menu, object name, text, keys and deed, and where else it
// shows.
struct ActionRow {
    Menu menu;
    const char* name;
    QString text;
    QList<QKeySequence> keys;
    std::function<void()> run;
    ToolBar toolBar = ToolBar::None;
    bool separatorBefore = false;
    QString toolTip = {};
    bool recentFilesAfter = false;
};

namespace {

QList<QKeySequence> Key(QKeyCombination key) {
    return {QKeySequence(key)};
}

QList<QKeySequence> Key(QKeySequence::StandardKey key) {
    return QKeySequence::keyBindings(key);
}

}  // namespace

std::vector<ActionRow> EditorWindow::ActionTable() {
    const auto confirmed = [this](auto then) {
        return [this, then] {
            if (ConfirmLosingChanges()) {
                then();
            }
        };
    };
    return {
        {.menu = Menu::File,
         .name = "newBank",
         .text = QStringLiteral("&Создать"),
         .keys = Key(QKeySequence::New),
         .run = confirmed([this] { NewBank(); })},
        {.menu = Menu::File,
         .name = "open",
         .text = QStringLiteral("&Открыть…"),
         .keys = Key(QKeySequence::Open),
         .run = [this] { OpenWithDialog(); },
         .recentFilesAfter = true},
        {.menu = Menu::File,
         .name = "import",
         .text = QStringLiteral("&Импорт…"),
         .keys = {},
         .run = [this] { ImportWithDialog(); }},
        {.menu = Menu::File,
         .name = "save",
         .text = QStringLiteral("&Сохранить"),
         .keys = Key(QKeySequence::Save),
         .run = [this] { Save(); },
         .separatorBefore = true},
        {.menu = Menu::File,
         .name = "saveAs",
         .text = QStringLiteral("Сохранить &как…"),
         .keys = SaveAsKeys(),
         .run = [this] { SaveWithDialog(); }},
        {.menu = Menu::File,
         .name = "play",
         .text = QStringLiteral("&Играть"),
         .keys = Key(Qt::Key_F5),
         .run = [this] { PlayBank(); },
         .toolBar = ToolBar::OwnBar,
         .separatorBefore = true,
         .toolTip = QStringLiteral("Сыграть этот банк в викторине (F5)")},
        {.menu = Menu::File,
         .name = "quit",
         .text = QStringLiteral("&Выход"),
         .keys = Key(QKeySequence::Quit),
         .run = [this] { close(); },
         .separatorBefore = true},
        {.menu = Menu::Edit,
         .name = "addQuestion",
         .text = QStringLiteral("&Добавить вопрос"),
         .keys = Key(Qt::CTRL | Qt::Key_Return),
         .run = [this] { AddQuestion(); },
         .toolBar = ToolBar::Questions},
        {.menu = Menu::Edit,
         .name = "duplicateQuestion",
         .text = QStringLiteral("Д&ублировать вопрос"),
         .keys = Key(Qt::CTRL | Qt::Key_D),
         .run = [this] { DuplicateQuestion(); },
         .toolBar = ToolBar::Questions},
        // Ctrl+Del alone is the line edit's "delete the next word".
        {.menu = Menu::Edit,
         .name = "deleteQuestion",
         .text = QStringLiteral("Уд&алить вопрос"),
         .keys = Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
         .run = [this] { DeleteQuestion(); },
         .toolBar = ToolBar::Questions},
        {.menu = Menu::Edit,
         .name = "moveUp",
         .text = QStringLiteral("Переместить &выше"),
         .keys = Key(Qt::ALT | Qt::Key_Up),
         .run = [this] { MoveCurrent(-1); },
         .toolBar = ToolBar::Questions},
        {.menu = Menu::Edit,
         .name = "moveDown",
         .text = QStringLiteral("Переместить &ниже"),
         .keys = Key(Qt::ALT | Qt::Key_Down),
         .run = [this] { MoveCurrent(1); },
         .toolBar = ToolBar::Questions},
        {.menu = Menu::Edit,
         .name = "nextQuestion",
         .text = QStringLiteral("&Следующий вопрос"),
         .keys = Key(Qt::CTRL | Qt::Key_PageDown),
         .run = [this] { SelectRow(current_ + 1); },
         .separatorBefore = true},
        {.menu = Menu::Edit,
         .name = "previousQuestion",
         .text = QStringLiteral("&Предыдущий вопрос"),
         .keys = Key(Qt::CTRL | Qt::Key_PageUp),
         .run = [this] { SelectRow(current_ - 1); }},
        {.menu = Menu::Edit,
         .name = "find",
         .text = QStringLiteral("&Найти…"),
         .keys = Key(QKeySequence::Find),
         .run =
             [this] {
                 find_->setFocus();
                 find_->selectAll();
             },
         .separatorBefore = true},
        {.menu = Menu::Edit,
         .name = "findNext",
         .text = QStringLiteral("Найти &далее"),
         .keys = Key(QKeySequence::FindNext),
         .run = [this] { FindNext(); }},
        {.menu = Menu::Check,
         .name = "goToIssues",
         .text = QStringLiteral("&К списку проверок"),
         .keys = Key(Qt::CTRL | Qt::Key_L),
         .run = [this] { issueList_->setFocus(); }},
    };
}

void EditorWindow::BuildActions() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
    QMenu* check = menuBar()->addMenu(QStringLiteral("Про&верка"));
    tools_ = addToolBar(QStringLiteral("Вопросы"));
    tools_->setObjectName("questionTools");

    QAction* undo = undo_.createUndoAction(this);
    undo->setObjectName("undo");
    undo->setShortcuts(UndoKeys());
    QAction* redo = undo_.createRedoAction(this);
    redo->setObjectName("redo");
    redo->setShortcuts(RedoKeys());
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();

    for (const ActionRow& row : ActionTable()) {
        QMenu* menu = row.menu == Menu::File ? file : row.menu == Menu::Edit ? edit : check;
        if (row.separatorBefore) {
            menu->addSeparator();
        }
        QAction* action = menu->addAction(row.text, this, row.run);
        action->setObjectName(row.name);
        action->setShortcuts(row.keys);
        if (!row.toolTip.isEmpty()) {
            action->setToolTip(row.toolTip);
        }
        if (row.toolBar == ToolBar::Questions) {
            tools_->addAction(action);
        } else if (row.toolBar == ToolBar::OwnBar) {
            QToolBar* bar = addToolBar(QString(row.text).remove('&'));
            bar->setObjectName(QStringLiteral("%1Tools").arg(QLatin1String(row.name)));
            bar->addAction(action);
        }
        if (row.recentFilesAfter) {
            recentMenu_ = menu->addMenu(QStringLiteral("&Недавние файлы"));
            recentMenu_->setObjectName("recentFiles");
            connect(recentMenu_, &QMenu::aboutToShow, this, &EditorWindow::FillRecentMenu);
        }
    }

    requireFit_ = new QAction(QStringLiteral("&Требовать, чтобы тексты помещались в окне"), this);
    requireFit_->setObjectName("requireFit");
    requireFit_->setCheckable(true);
    requireFit_->setChecked(document_->RequireFit());
    requireFit_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    check->insertAction(check->actions().value(0), requireFit_);
    connect(requireFit_, &QAction::toggled, this, [this](bool required) {
        settings_.SetRequireFit(required);
        document_->SetRequireFit(required);
        ShowCurrent();
    });
}

}  // namespace vornikat::editor
