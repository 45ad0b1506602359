// SPDX-License-Identifier: MIT
// The bank editor driven as an author would: typing in the form, choosing the right option,
// the list's actions, saving and opening, undo, playing, and closing over unsaved work.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "bank_writer.hpp"
#include "box_closer.hpp"
#include "editor_window.hpp"
#include "main_window.hpp"
#include "question_form.hpp"
#include "question_list_model.hpp"
#include "quiz_preview.hpp"
#include "readable_colors.hpp"

namespace vornikat::editor {
namespace {

using testing::BoxCloser;
using Bank = std::vector<QuestionRecord>;

// Three questions as the bank tool's dump prints them; the last has an empty option E.
constexpr char kThreeQuestions[] =
    "Сколько бит в байте?\n"
    "A) 4\n"
    "B) 8\n"
    "C) 16\n"
    "D) Сколько влезет\n"
    "E) 1\n"
    "ANSWER: B\n"
    "\n"
    "Что такое «ОЗУ»?\n"
    "A) Память\n"
    "B) Овощ\n"
    "C) Ураган\n"
    "D) Звук\n"
    "E) Зуб\n"
    "ANSWER: A\n"
    "\n"
    "Tom & Jerry?\n"
    "A) Кот и мышь\n"
    "B) Два кота\n"
    "C) Две мыши\n"
    "D) Сыр\n"
    "E)\n"
    "ANSWER: E\n";

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Key by key, as a keyboard of any layout gives letters beyond Latin-1.
void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype k = 0; k < text.size(); ++k) {
        const qsizetype length = text[k].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(k, length),
                            Qt::NoModifier);
        k += length - 1;
    }
}

bool Same(const Bank& a, const Bank& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.question == y.question && x.options == y.options && x.rightOption == y.rightOption;
    });
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void threeQuestionsTypedInTheFormSaveAsTheToolBuildsThem();
    void shippedBankSavesBackUnchangedInBothForms();
    void foreignLetterAndOverlongOptionAreFlaggedAndBlockDataBin();
    void requireFitMakesAMisfitAnErrorAndIsRemembered();
    void aBigBanksChecksComeAfterItOpensAndSavingWaitsForThem();
    void undoRestoresTheBankAfterEachKindOfEdit();
    void undoKeysInAFieldUndoTheBank();
    void closingOrOpeningOverUnsavedChangesAsks();
    void layoutAndRecentFilesAreRemembered();
    void unreadableFilesOpenNothingAndSayWhy();
    void playStartsTheQuizOnATemporaryCopyOfTheBank();
    void previewIsTheQuizWindowShowingTheQuestion();
    void findSearchesEveryTextFromTheNextQuestionRound();
    void screenReaderHearsEveryFieldListAndAFieldsProblem();
    void flaggedFieldsReadOnADarkPalette();

  private:
    void Type(int field, const QString& text);
    // Types over the whole text of the field.
    void Replace(int field, const QString& text);
    void Trigger(const char* action);
    Bank Questions() const { return window_->Questions().Questions(); }
    QString Path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<BoxCloser> closer_;
    std::unique_ptr<EditorWindow> window_;
};

void EditorTest::init() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "vornikat", "vornikat-editor").clear();
    dir_ = std::make_unique<QTemporaryDir>();
    closer_ = std::make_unique<BoxCloser>();
    window_ = std::make_unique<EditorWindow>();
}

void EditorTest::cleanup() {
    // Whatever a test left unsaved goes without a question.
    window_->UndoStack().setClean();
    window_.reset();
    QCOMPARE(closer_->unexpected, 0);
    closer_.reset();
}

void EditorTest::Type(int field, const QString& text) {
    QLineEdit& edit = window_->Form().TextField(field);
    edit.setFocus();
    TypeText(&edit, text);
}

void EditorTest::Replace(int field, const QString& text) {
    window_->Form().TextField(field).selectAll();
    Type(field, text);
}

void EditorTest::Trigger(const char* action) {
    auto* found = window_->findChild<QAction*>(QString::fromUtf8(action));
    QVERIFY2(found != nullptr, action);
    found->trigger();
}

void EditorTest::threeQuestionsTypedInTheFormSaveAsTheToolBuildsThem() {
    const QStringList texts[] = {
        {"Сколько бит в байте?", "4", "8", "16", "Сколько влезет", "1"},
        {"Что такое «ОЗУ»?", "Память", "Овощ", "Ураган", "Звук", "Зуб"},
        {"Tom & Jerry?", "Кот и мышь", "Два кота", "Две мыши", "Сыр", ""},
    };
    const int rights[] = {2, 1, 5};
    for (int q = 0; q < 3; ++q) {
        if (q > 0) {
            Trigger("addQuestion");
        }
        QCOMPARE(window_->CurrentRow(), q);
        for (int field = 0; field < 6; ++field) {
            Type(field, texts[q][field]);
        }
        window_->Form().RightChoice(rights[q]).click();
    }
    QCOMPARE(window_->Questions().Count(), 3);

    const QString source = Path("three.txt");
    WriteFile(source, kThreeQuestions);
    QCOMPARE(QProcess::execute(VORNIKAT_BANK_TOOL_PATH, {"build", source, "-o", Path("tool.bin")}),
             0);
    QVERIFY(window_->SaveTo(Path("editor.bin"), BankFormat::Binary));
    QCOMPARE(ReadFile(Path("editor.bin")), ReadFile(Path("tool.bin")));
    QVERIFY(window_->SaveTo(Path("editor.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("editor.txt")), QByteArray(kThreeQuestions));
    QVERIFY(window_->UndoStack().isClean());
    QVERIFY(window_->windowTitle().startsWith("editor.txt"));
}

void EditorTest::shippedBankSavesBackUnchangedInBothForms() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    QVERIFY(window_->Questions().Count() > 1);
    QVERIFY(!window_->Questions().HasErrors());
    QVERIFY(window_->SaveTo(Path("again.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("again.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    QVERIFY(window_->SaveTo(Path("again.bin"), BankFormat::Binary));
    QCOMPARE(ReadFile(Path("again.bin")), ReadFile(VORNIKAT_BANK_DATA));

    // data.bin opens as a bank too, told apart by its NUL bytes, and saves back the same.
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_DATA));
    QVERIFY(window_->SaveTo(Path("data.bin"), BankFormat::Binary));
    QCOMPARE(ReadFile(Path("data.bin")), ReadFile(VORNIKAT_BANK_DATA));
    QVERIFY(window_->SaveTo(Path("dumped.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("dumped.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    QCOMPARE(closer_->seen.size(), std::size_t{0});
}

void EditorTest::foreignLetterAndOverlongOptionAreFlaggedAndBlockDataBin() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    QuestionForm& form = window_->Form();
    QVERIFY(form.IssuesShownAt(2).isEmpty());
    Replace(2, "≤ 5");
    QVERIFY(form.IssuesShownAt(2).contains("Windows-1251"));
    QVERIFY(form.IssuesShownAt(2).contains("U+2264"));
    QVERIFY(form.IssuesShownAt(3).isEmpty());
    // Pasted, not typed: far more than a text of the bank holds.
    form.TextField(4).setFocus();
    form.TextField(4).insert(QString(32767, QChar(u'ж')));
    QVERIFY(form.IssuesShownAt(4).contains("32767"));
    QVERIFY(window_->Questions().HasErrors());

    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("data.bin"), BankFormat::Binary));
    QVERIFY(!QFile::exists(Path("data.bin")));
    QCOMPARE(closer_->seen.size(), std::size_t{1});
    QVERIFY(closer_->seen[0].text.contains("Ошибка: вопрос 1, вариант 2"));
    QVERIFY(closer_->seen[0].text.contains("Ошибка: вопрос 1, вариант 4"));
    QVERIFY(!window_->UndoStack().isClean());

    // Nor as Aiken text, which could not be opened again.
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("kept.txt"), BankFormat::Aiken));
    QVERIFY(!QFile::exists(Path("kept.txt")));

    // Mended, the bank saves.
    Replace(2, "5");
    QVERIFY(form.IssuesShownAt(2).isEmpty());
    QVERIFY(window_->Questions().HasErrors());
    Replace(4, "Пять");
    QVERIFY(!window_->Questions().HasErrors());
    QVERIFY(window_->SaveTo(Path("data.bin"), BankFormat::Binary));
}

void EditorTest::requireFitMakesAMisfitAnErrorAndIsRemembered() {
    const QString wide = "Очень длинный вариант ответа, который не влезет в кнопку";
    Type(1, wide);
    QVERIFY(window_->Form().IssuesShownAt(1).startsWith("Внимание:"));
    QVERIFY(!window_->Questions().HasErrors());

    Trigger("requireFit");
    QVERIFY(window_->Form().IssuesShownAt(1).startsWith("Ошибка:"));
    QVERIFY(window_->Questions().HasErrors());
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("data.bin"), BankFormat::Binary));

    window_->UndoStack().setClean();
    window_ = std::make_unique<EditorWindow>();
    QVERIFY(window_->findChild<QAction*>("requireFit")->isChecked());
    QVERIFY(window_->Questions().RequireFit());
}

void EditorTest::aBigBanksChecksComeAfterItOpensAndSavingWaitsForThem() {
    // Only a data.bin can name no option of the five as right: the last question does.
    Bank big(20000, QuestionRecord{u"Вопрос", {u"А", u"Б", u"В", u"Г", u"Д"}, 1});
    big.back().rightOption = 0;
    const auto bytes = WriteQuestionBank(big);
    WriteFile(Path("big.bin"), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
    QVERIFY(window_->OpenFile(Path("big.bin")));
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("saved.bin"), BankFormat::Binary));
    QVERIFY(closer_->seen.at(0).text.contains("вопрос 20000, верный вариант"));
    QVERIFY(window_->Questions().ChecksDone());

    QVERIFY(window_->OpenFile(Path("big.bin")));
    QVERIFY(!window_->Questions().ChecksDone());
    QTRY_VERIFY(window_->Questions().ChecksDone());
    auto* issues = window_->findChild<QListView*>("issueList");
    QCOMPARE(issues->model()->rowCount(), 1);
    issues->clicked(issues->model()->index(0, 0));
    QCOMPARE(window_->CurrentRow(), 19999);
    QVERIFY(window_->Form().IssuesShownAt(6).contains("вне 1–5"));
}

void EditorTest::undoRestoresTheBankAfterEachKindOfEdit() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    window_->SelectRow(3);
    QuestionListModel& model = window_->Questions();
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"question text", [this] { Type(0, " и ещё"); }},
        {"option text", [this] { Type(5, "!"); }},
        {"right option", [this] { window_->Form().RightChoice(5).click(); }},
        {"add", [this] { Trigger("addQuestion"); }},
        {"duplicate", [this] { Trigger("duplicateQuestion"); }},
        {"delete", [this] { Trigger("deleteQuestion"); }},
        {"move up", [this] { Trigger("moveUp"); }},
        {"move down", [this] { Trigger("moveDown"); }},
        {"drag",
         [&model] {
             auto data = std::unique_ptr<QMimeData>(model.mimeData({model.index(1)}));
             model.dropMimeData(data.get(), Qt::MoveAction, 6, 0, {});
         }},
    };
    for (const auto& [name, edit] : edits) {
        const Bank before = Questions();
        const int row = window_->CurrentRow();
        edit();
        const Bank after = Questions();
        QVERIFY2(!Same(before, after), name);
        QVERIFY2(!window_->UndoStack().isClean(), name);
        Trigger("undo");
        QVERIFY2(Same(before, Questions()), name);
        QVERIFY2(window_->UndoStack().isClean(), name);
        QCOMPARE(window_->Form().TextField(0).text(),
                 QString::fromStdU16String(Questions()[window_->CurrentRow()].question));
        Trigger("redo");
        QVERIFY2(Same(after, Questions()), name);
        Trigger("undo");
        window_->SelectRow(row);
    }
    // The drag above put question 2 in the place of question 6, as the list shows the drop.
    auto data = std::unique_ptr<QMimeData>(model.mimeData({model.index(1)}));
    const Bank before = Questions();
    model.dropMimeData(data.get(), Qt::MoveAction, 6, 0, {});
    QVERIFY(Questions()[5].question == before[1].question);
    QVERIFY(Questions()[1].question == before[2].question);
}

void EditorTest::undoKeysInAFieldUndoTheBank() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Type(0, "Первый");
    Type(1, "Второй");
    QLineEdit& option = window_->Form().TextField(1);
    QTest::keyClick(&option, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Questions()[0].options[0], std::u16string());
    QCOMPARE(Questions()[0].question, std::u16string(u"Первый"));
    QTest::keyClick(&option, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window_->UndoStack().isClean());
    QCOMPARE(window_->Form().TextField(0).text(), QString());
    QTest::keyClick(&option, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window_->Form().TextField(0).text(), QString("Первый"));
}

void EditorTest::closingOrOpeningOverUnsavedChangesAsks() {
    window_->show();
    QVERIFY(window_->close());
    QCOMPARE(closer_->seen.size(), std::size_t{0});

    window_->show();
    Type(0, "Несохранённый вопрос");
    QVERIFY(window_->windowTitle().contains("[*]") && window_->isWindowModified());
    closer_->Answer(QMessageBox::Cancel);
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    QCOMPARE(closer_->seen.size(), std::size_t{1});
    QVERIFY(closer_->seen[0].text.contains("несохранённые изменения"));
    QCOMPARE(Questions()[0].question, std::u16string(u"Несохранённый вопрос"));

    closer_->Answer(QMessageBox::Discard);
    QVERIFY(window_->close());
    QCOMPARE(closer_->seen.size(), std::size_t{2});

    // Typing on in the field last typed in, after a save, is a change again.
    window_->show();
    QVERIFY(window_->SaveTo(Path("saved.txt"), BankFormat::Aiken));
    QVERIFY(!window_->isWindowModified());
    Type(0, "?");
    QVERIFY(window_->isWindowModified());
    closer_->Answer(QMessageBox::Save);
    QVERIFY(window_->close());
    QVERIFY(ReadFile(Path("saved.txt")).startsWith("Несохранённый вопрос?\n"));
}

void EditorTest::layoutAndRecentFilesAreRemembered() {
    window_->show();
    window_->resize(1100, 650);
    auto* columns = window_->findChild<QSplitter*>("columns");
    columns->setSizes({200, 500, 400});
    const QList<int> sizes = columns->sizes();
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_DATA));
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    QVERIFY(window_->close());

    window_ = std::make_unique<EditorWindow>();
    window_->show();
    QCOMPARE(window_->size(), QSize(1100, 650));
    QCOMPARE(window_->findChild<QSplitter*>("columns")->sizes(), sizes);
    auto* recent = window_->findChild<QMenu*>("recentFiles");
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(
        recent->actions()[0]->text().endsWith(QFileInfo(VORNIKAT_BANK_SOURCE).absoluteFilePath()));
    recent->actions()[1]->trigger();
    QVERIFY(window_->windowTitle().startsWith("data.bin"));
}

void EditorTest::unreadableFilesOpenNothingAndSayWhy() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    const Bank shipped = Questions();
    const QString title = window_->windowTitle();
    WriteFile(Path("broken.txt"), "Вопрос без вариантов\nANSWER: A\n");
    QByteArray data = ReadFile(VORNIKAT_BANK_DATA);
    data.chop(data.size() / 2);
    WriteFile(Path("short.bin"), data);
    const QString files[] = {Path("broken.txt"), Path("short.bin"), Path("missing.txt")};
    for (const QString& file : files) {
        closer_->Answer(QMessageBox::Ok);
        QVERIFY2(!window_->OpenFile(file), qPrintable(file));
        QVERIFY(Same(Questions(), shipped));
        QCOMPARE(window_->windowTitle(), title);
    }
    QCOMPARE(closer_->seen.size(), std::size_t{3});
    QVERIFY(closer_->seen[0].text.contains("2:1"));
    QVERIFY(closer_->seen[1].text.contains("Викторина не загрузит этот банк"));
    QVERIFY(closer_->seen[2].text.contains("не открывается"));
}

void EditorTest::playStartsTheQuizOnATemporaryCopyOfTheBank() {
    // A stand-in for the quiz keeps the bank it was given.
    const QString played = Path("played.bin");
    const QString quiz = Path("quiz");
    WriteFile(quiz, ("#!/bin/sh\ncp \"$1\" '" + played + "'\n").toUtf8());
    QFile::setPermissions(quiz, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    window_->SetQuizProgram(quiz);

    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    QVERIFY(window_->PlayBank());
    QTRY_VERIFY(QFile::exists(played));
    QTRY_COMPARE(ReadFile(played), ReadFile(VORNIKAT_BANK_DATA));
    QVERIFY(window_->UndoStack().isClean());

    Type(0, "ε");
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->PlayBank());
    QVERIFY(closer_->seen.back().text.contains("ошибки"));
}

void EditorTest::previewIsTheQuizWindowShowingTheQuestion() {
    MainWindow quiz;
    QuizPreview& preview = window_->Preview();
    for (const char* name : {"FrameQ", "LblQ", "FrameA", "Ans1", "Ans5", "LblT", "Nxt", "HelpMe"}) {
        QCOMPARE(preview.Control(name).geometry(), quiz.findChild<QWidget*>(name)->geometry());
        QCOMPARE(preview.Control(name).font(), quiz.findChild<QWidget*>(name)->font());
    }
    Type(0, "Что делает кнопка «Reset»?");
    QCOMPARE(static_cast<QLabel&>(preview.Control("LblQ")).text(),
             QString("Что делает кнопка «Reset»?"));
    Type(3, "Tom & Jerry");
    QCOMPARE(static_cast<QRadioButton&>(preview.Control("Ans3")).text(), QString("Tom && Jerry"));
    QVERIFY(static_cast<QRadioButton&>(preview.Control("Ans1")).isChecked());
    QVERIFY(preview.findChild<QWidget*>("previewClient")
                ->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(preview.Control("Nxt").focusPolicy(), Qt::NoFocus);
}

void EditorTest::findSearchesEveryTextFromTheNextQuestionRound() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    const QuestionListModel& model = window_->Questions();
    int first = -1;
    for (int row = 0; row < model.Count() && first < 0; ++row) {
        for (const auto& option : model.At(row).options) {
            if (QString::fromStdU16String(option).contains("обед")) {
                first = row;
            }
        }
    }
    QVERIFY(first >= 0);
    auto* find = window_->findChild<QLineEdit*>("find");
    TypeText(find, "ОБЕД");
    window_->SelectRow(first + 1);
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(window_->CurrentRow(), model.FindText("обед", first + 1));
    QVERIFY(window_->CurrentRow() >= 0);
    QCOMPARE(model.FindText("обед", model.Count() - 1), model.FindText("обед", 0));
    QCOMPARE(model.FindText("нет такого текста", 0), -1);
}

}  // namespace vornikat::editor

namespace vornikat::editor {

void EditorTest::screenReaderHearsEveryFieldListAndAFieldsProblem() {
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    const auto name = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    QuestionForm& form = window_->Form();
    QCOMPARE(name(form.TextField(0)), "Вопрос:");
    for (int option = 1; option <= 5; ++option) {
        QCOMPARE(name(form.TextField(option)), QStringLiteral("Вариант %1").arg(option));
    }
    QCOMPARE(name(*window_->findChild<QListView*>("questionList")), "Вопросы банка");
    QCOMPARE(name(*window_->findChild<QListView*>("issueList")), "Проверки");
    QCOMPARE(name(*window_->findChild<QWidget*>("preview")), "Так вопрос покажет викторина");

    const auto description = [&form](int field) {
        return QAccessible::queryAccessibleInterface(&form.TextField(field))
            ->text(QAccessible::Description);
    };
    QVERIFY(description(2).isEmpty());
    Replace(2, "≤ 5");
    QCOMPARE(description(2), form.IssuesShownAt(2));
    QVERIFY(description(2).contains("U+2264"));
    Replace(2, "5");
    QVERIFY(description(2).isEmpty());
}

void EditorTest::flaggedFieldsReadOnADarkPalette() {
    const QPalette light = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    QApplication::setPalette(dark);
    window_ = std::make_unique<EditorWindow>();
    QVERIFY(window_->OpenFile(VORNIKAT_BANK_SOURCE));
    QuestionForm& form = window_->Form();
    // An error and a warning: a letter with no Windows-1251 code, an option too long to fit.
    Replace(2, "≤ 5");
    Replace(3, QString(300, QChar(u'ж')));
    for (int field : {2, 3}) {
        QLineEdit& edit = form.TextField(field);
        QVERIFY(!form.IssuesShownAt(field).isEmpty());
        const QPalette shown = edit.palette();
        QVERIFY(shown.color(QPalette::Base) != dark.color(QPalette::Base));
        QVERIFY2(ContrastRatio(shown.color(QPalette::Text), shown.color(QPalette::Base)) >=
                     kReadableContrast,
                 qPrintable(QStringLiteral("field %1").arg(field)));
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (label->text() == form.IssuesShownAt(field)) {
                QVERIFY2(
                    ContrastRatio(label->palette().color(QPalette::WindowText),
                                  label->palette().color(QPalette::Window)) >= kReadableContrast,
                    qPrintable(label->text()));
            }
        }
    }
    // The lists mark a question and a check with problems in colours that read on their base.
    for (const char* name : {"questionList", "issueList"}) {
        QAbstractItemModel* model = window_->findChild<QListView*>(name)->model();
        QTRY_VERIFY(model->rowCount() > 0);
        int marked = 0;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QVariant brush = model->data(model->index(row, 0), Qt::ForegroundRole);
            if (brush.isValid()) {
                ++marked;
                QVERIFY2(ContrastRatio(brush.value<QBrush>().color(), dark.color(QPalette::Base)) >=
                             kReadableContrast,
                         name);
            }
        }
        QVERIFY2(marked > 0, name);
    }
    window_->UndoStack().setClean();
    window_.reset();
    QApplication::setPalette(light);
    window_ = std::make_unique<EditorWindow>();
}

}  // namespace vornikat::editor

QTEST_MAIN(vornikat::editor::EditorTest)
#include "editor_test.moc"
