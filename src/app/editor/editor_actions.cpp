// SPDX-License-Identifier: MIT
// The editor's menus and tool bar, declared as one table of actions.
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <functional>

#include "bank_document.hpp"
#include "editor_keys.hpp"
#include "editor_window.hpp"

namespace vornikat::editor {
namespace {

enum class Menu { File, Edit, Check };

struct ActionRow {
    Menu menu;
    const char* name;
    QString text;
    QList<QKeySequence> keys;
    std::function<void()> run;
    bool onToolBar = false;
    bool separatorBefore = false;
};

QList<QKeySequence> Key(QKeyCombination key) {
    return {QKeySequence(key)};
}

QList<QKeySequence> Key(QKeySequence::StandardKey key) {
    return QKeySequence::keyBindings(key);
}

}  // namespace

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

    const auto confirmed = [this](auto then) {
        return [this, then] {
            if (ConfirmLosingChanges()) {
                then();
            }
        };
    };
    const ActionRow actions[] = {
        {Menu::File, "newBank", QStringLiteral("&Создать"), Key(QKeySequence::New),
         confirmed([this] { NewBank(); })},
        {Menu::File, "open", QStringLiteral("&Открыть…"), Key(QKeySequence::Open),
         [this] { OpenWithDialog(); }},
        {Menu::File, "save", QStringLiteral("&Сохранить"), Key(QKeySequence::Save),
         [this] { Save(); }, false, true},
        {Menu::File, "saveAs", QStringLiteral("Сохранить &как…"), SaveAsKeys(),
         [this] { SaveWithDialog(); }},
        {Menu::File, "play", QStringLiteral("&Играть"), Key(Qt::Key_F5), [this] { PlayBank(); },
         false, true},
        {Menu::File, "quit", QStringLiteral("&Выход"), Key(QKeySequence::Quit), [this] { close(); },
         false, true},
        {Menu::Edit, "addQuestion", QStringLiteral("&Добавить вопрос"),
         Key(Qt::CTRL | Qt::Key_Return), [this] { AddQuestion(); }, true},
        {Menu::Edit, "duplicateQuestion", QStringLiteral("Д&ублировать вопрос"),
         Key(Qt::CTRL | Qt::Key_D), [this] { DuplicateQuestion(); }, true},
        // Ctrl+Del alone is the line edit's "delete the next word".
        {Menu::Edit, "deleteQuestion", QStringLiteral("Уд&алить вопрос"),
         Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete), [this] { DeleteQuestion(); }, true},
        {Menu::Edit, "moveUp", QStringLiteral("Переместить &выше"), Key(Qt::ALT | Qt::Key_Up),
         [this] { MoveCurrent(-1); }, true},
        {Menu::Edit, "moveDown", QStringLiteral("Переместить &ниже"), Key(Qt::ALT | Qt::Key_Down),
         [this] { MoveCurrent(1); }, true},
        {Menu::Edit, "nextQuestion", QStringLiteral("&Следующий вопрос"),
         Key(Qt::CTRL | Qt::Key_PageDown), [this] { SelectRow(current_ + 1); }, false, true},
        {Menu::Edit, "previousQuestion", QStringLiteral("&Предыдущий вопрос"),
         Key(Qt::CTRL | Qt::Key_PageUp), [this] { SelectRow(current_ - 1); }},
        {Menu::Edit, "find", QStringLiteral("&Найти…"), Key(QKeySequence::Find),
         [this] {
             find_->setFocus();
             find_->selectAll();
         },
         false, true},
        {Menu::Edit, "findNext", QStringLiteral("Найти &далее"), Key(QKeySequence::FindNext),
         [this] { FindNext(); }},
        {Menu::Check, "goToIssues", QStringLiteral("&К списку проверок"), Key(Qt::CTRL | Qt::Key_L),
         [this] { issueList_->setFocus(); }},
    };
    QAction* play = nullptr;
    for (const ActionRow& row : actions) {
        QMenu* menu = row.menu == Menu::File ? file : row.menu == Menu::Edit ? edit : check;
        if (row.separatorBefore) {
            menu->addSeparator();
        }
        QAction* action = menu->addAction(row.text, this, row.run);
        action->setObjectName(row.name);
        action->setShortcuts(row.keys);
        if (row.onToolBar) {
            tools_->addAction(action);
        }
        if (action->objectName() == QLatin1String("play")) {
            play = action;
        }
        if (action->objectName() == QLatin1String("open")) {
            recentMenu_ = file->addMenu(QStringLiteral("&Недавние файлы"));
            recentMenu_->setObjectName("recentFiles");
            connect(recentMenu_, &QMenu::aboutToShow, this, &EditorWindow::FillRecentMenu);
        }
    }
    play->setToolTip(QStringLiteral("Сыграть этот банк в викторине (F5)"));
    tools_->addSeparator();
    tools_->addAction(play);

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
