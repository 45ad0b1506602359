// SPDX-License-Identifier: MIT
// The bank editor driven as an author would: typing in the form, choosing the right option,
// the list's actions, saving and opening, undo, playing, and closing over unsaved work.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <fstream>
#include <memory>

#include "aiken_parser.hpp"
#include "bank_document.hpp"
#include "bank_file.hpp"
#include "bank_writer.hpp"
#include "box_closer.hpp"
#include "cp1251.hpp"
#include "editor_application.hpp"
#include "editor_window.hpp"
#include "issue_label.hpp"
#include "main_window.hpp"
#include "question_form.hpp"
#include "quiz_preview.hpp"
#include "readable_colors.hpp"

namespace vornikat::editor {
namespace {

using testing::BoxCloser;
using Bank = std::vector<QuestionRecord>;
// The least contrast at which body text reads, written here rather than read from the code.
constexpr double kBodyText = 4.5;

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

// Another program's edit of the bank: sed rewrites the file and renames it over the old one.
void EditElsewhere(const QString& path) {
    QCOMPARE(QProcess::execute("sed", {"-i", "s/ОЗУ»?/ОЗУ»? (ДРУГАЯ ПРАВКА)/", path}), 0);
}

// An edit in place that keeps the file's size and modification time: only its bytes tell.
void EditInPlaceWithinTheSecond(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    QVERIFY(::stat(name.constData(), &before) == 0);
    QByteArray bytes = ReadFile(path);
    bytes.replace("«ОЗУ»", "«ПЗУ»");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const std::array<timespec, 2> times = {before.st_atim, before.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, name.constData(), times.data(), 0) == 0);
}

void RemoveElsewhere(const QString& path) {
    QVERIFY(QFile::remove(path));
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
    void initTestCase();
    void init();
    void cleanup();

    void qtsOwnWordsAreRussianOnAnySystem();

    void threeQuestionsTypedInTheFormSaveAsTheToolBuildsThem();
    void shippedBankSavesBackUnchangedInBothForms();
    void foreignLetterAndOverlongOptionAreFlaggedAndBlockDataBin();
    void requireFitMakesAMisfitAnErrorAndIsRemembered();
    void aBigBanksChecksComeAfterItOpensAndSavingWaitsForThem();
    void undoRestoresTheBankAfterEachKindOfEdit();
    void undoKeysInAFieldUndoTheBank();
    void theRightOptionsKeyChoosesAtOnceForTheQuestionShown();
    void closingOrOpeningOverUnsavedChangesAsks();
    void layoutAndRecentFilesAreRemembered();
    void unreadableFilesOpenNothingAndSayWhy();
    void anEmptyFileIsANewBankOfTheFormItsNameSays();
    void playStartsTheQuizOnATemporaryCopyOfTheBank();
    void previewIsTheQuizWindowShowingTheQuestion();
    void findSearchesEveryTextFromTheNextQuestionRound();
    void screenReaderHearsEveryFieldListAndAFieldsProblem();
    void flaggedFieldsReadOnADarkPalette();
    void fiveQuestionsTypedWithTabAloneSaveAsTheirText();
    void undoKeysWorkWithTheFocusInTheSearchBox();
    void filesThatAreNotRegularAreRefusedInRussianAtOnce();
    void repeatedParseErrorsAreSaidOnceWithACount();
    void savesRemoveTheirLeftoversAndSpareAReadOnlyBank();
    void aDraftWithErrorsSavesAsAikenAndReopensWithThem();
    void aWindowsDraftOpensFlaggedAndSavesInItsOwnForm();
    void importsOpenAsANewBankAndSayWhatCameIn();
    void theNameTypedInTheSaveDialogChoosesTheForm();
    void aLongOpeningIsToldWhileParsingAndMayBeGivenUp();
    void aDataBinIsToldAsItStreamsAndKnownByANulByteAnywhere();
    void theWindowFitsTheScreenAtEveryScale();
    void aFieldsIssuesWrapWholeInTheLinesTheyNeed();
    void aRealDragUnderAWindowManagerMovesAQuestion();
    void aChangeOrRemovalOnDiskIsToldAtOnce();
    void aSaveOverAFileChangedSinceReadAsksFirst();
    void theEditorsOwnSaveIsNotToldButEveryOtherChangeIs();

  private:
    void Type(int field, const QString& text);
    // Types over the whole text of the field.
    void Replace(int field, const QString& text);
    void Trigger(const char* action);
    Bank Questions() const { return window_->Document().Records(); }
    bool HasErrors() const {
        window_->Document().FinishChecks();
        return window_->Document().ErrorCount() > 0;
    }
    QAbstractItemModel& ListModel() const {
        return *window_->findChild<QListView*>("questionList")->model();
    }
    QString Path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<BoxCloser> closer_;
    std::unique_ptr<EditorWindow> window_;
};

void EditorTest::initTestCase() {
    // The author's own settings are never touched, in ctest or out of it.
    QStandardPaths::setTestModeEnabled(true);
    // The editor as it starts, on a system in English.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetUpEditorApplication(*qApp);
}

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

void EditorTest::qtsOwnWordsAreRussianOnAnySystem() {
    // The box over unsaved work and the file dialog are Qt's: they speak as the editor does.
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("Сохранить"));
    QFileDialog dialog(window_.get());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QVERIFY(dialog.labelText(QFileDialog::Reject).contains(QStringLiteral("Отмена")));
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
    QCOMPARE(window_->Document().Count(), 3);

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
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    QVERIFY(window_->Document().Count() > 1);
    QVERIFY(!HasErrors());
    QVERIFY(window_->SaveTo(Path("again.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("again.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    QVERIFY(window_->SaveTo(Path("again.bin"), BankFormat::Binary));
    QCOMPARE(ReadFile(Path("again.bin")), ReadFile(VORNIKAT_BANK_DATA));

    // data.bin opens as a bank too, told apart by its NUL bytes, and saves back the same.
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_DATA)));
    QVERIFY(window_->SaveTo(Path("data.bin"), BankFormat::Binary));
    QCOMPARE(ReadFile(Path("data.bin")), ReadFile(VORNIKAT_BANK_DATA));
    QVERIFY(window_->SaveTo(Path("dumped.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("dumped.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    QCOMPARE(closer_->seen.size(), std::size_t{0});
}

void EditorTest::foreignLetterAndOverlongOptionAreFlaggedAndBlockDataBin() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    QuestionForm& form = window_->Form();
    QVERIFY(form.IssuesShownAt(2).isEmpty());
    Replace(2, "≤ 5");
    QVERIFY(form.IssuesShownAt(2).contains("Windows-1251"));
    QVERIFY(form.IssuesShownAt(2).contains("U+2264"));
    QVERIFY(form.IssuesShownAt(3).isEmpty());
    // Pasted, not typed: far more than a text of the bank holds.
    form.TextField(4).setFocus();
    form.TextField(4).insert(QString(32767, QChar(u'ж')));
    QVERIFY(form.IssuesShownAt(4).contains("32768 знаков"));

    // Typing on keeps the author's place in the list of checks.
    auto* issueList = window_->findChild<QListView*>("issueList");
    issueList->setCurrentIndex(issueList->model()->index(1, 0));
    const QString chosen = issueList->currentIndex().data().toString();
    QVERIFY(chosen.contains("вариант 4"));
    Type(2, " и ещё ≥");
    QCOMPARE(issueList->currentIndex().data().toString(), chosen);
    QVERIFY(HasErrors());

    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("data.bin"), BankFormat::Binary));
    QVERIFY(!QFile::exists(Path("data.bin")));
    QCOMPARE(closer_->seen.size(), std::size_t{1});
    QVERIFY(closer_->seen[0].text.contains("Ошибка: вопрос 1, вариант 2"));
    QVERIFY(closer_->seen[0].text.contains("Ошибка: вопрос 1, вариант 4"));
    QVERIFY(!window_->UndoStack().isClean());

    // Mended, the bank saves.
    Replace(2, "5");
    QVERIFY(form.IssuesShownAt(2).isEmpty());
    QVERIFY(HasErrors());
    Replace(4, "Пять");
    QVERIFY(!HasErrors());
    QVERIFY(window_->SaveTo(Path("data.bin"), BankFormat::Binary));
}

void EditorTest::requireFitMakesAMisfitAnErrorAndIsRemembered() {
    const QString wide = "Очень длинный вариант ответа, который не влезет в кнопку";
    Type(1, wide);
    QVERIFY(window_->Form().IssuesShownAt(1).startsWith("Внимание:"));
    QVERIFY(!HasErrors());

    Trigger("requireFit");
    QVERIFY(window_->Form().IssuesShownAt(1).startsWith("Ошибка:"));
    QVERIFY(HasErrors());
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("data.bin"), BankFormat::Binary));

    window_->UndoStack().setClean();
    window_ = std::make_unique<EditorWindow>();
    QVERIFY(window_->findChild<QAction*>("requireFit")->isChecked());
    QVERIFY(window_->Document().RequireFit());
}

void EditorTest::aBigBanksChecksComeAfterItOpensAndSavingWaitsForThem() {
    // Only a data.bin can name an option past the five as right: the last question does.
    Bank big(20000, QuestionRecord{u"Вопрос", {u"А", u"Б", u"В", u"Г", u"Д"}, 1});
    big.back().rightOption = 7;
    const auto bytes = WriteQuestionBank(big);
    WriteFile(Path("big.bin"), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
    QVERIFY(window_->OpenFile(Path("big.bin")));
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("saved.bin"), BankFormat::Binary));
    QVERIFY(closer_->seen.at(0).text.contains("вопрос 20000, верный вариант"));
    QVERIFY(window_->Document().ChecksDone());

    QVERIFY(window_->OpenFile(Path("big.bin")));
    QVERIFY(!window_->Document().ChecksDone());
    QTRY_VERIFY(window_->Document().ChecksDone());
    auto* issues = window_->findChild<QListView*>("issueList");
    QCOMPARE(issues->model()->rowCount(), 1);
    issues->clicked(issues->model()->index(0, 0));
    QCOMPARE(window_->CurrentRow(), 19999);
    QVERIFY(window_->Form().IssuesShownAt(6).contains("вне 1–5"));
    // The error goes with its question, and the bank saves.
    Trigger("deleteQuestion");
    QTRY_VERIFY(window_->Document().ChecksDone());
    QCOMPARE(issues->model()->rowCount(), 0);
    QVERIFY(window_->CountsShown().contains("Ошибок: 0."));
    QVERIFY(window_->SaveTo(Path("saved.bin"), BankFormat::Binary));

    // One question more than a bank holds opens as a draft, and the bank-wide error says so
    // until a question goes.
    QByteArray text;
    for (int k = 0; k < 32768; ++k) {
        text += "Вопрос?\nA) 1\nB) 2\nC) 3\nD) 4\nE) 5\nANSWER: A\n\n";
    }
    WriteFile(Path("over.txt"), text);
    QVERIFY(window_->OpenFile(Path("over.txt")));
    QTRY_VERIFY(window_->Document().ChecksDone());
    QCOMPARE(issues->model()->rowCount(), 1);
    const QString said = issues->model()->index(0, 0).data().toString();
    QVERIFY2(said.startsWith("Ошибка: в банке 32768 вопросов, а он вмещает не больше 32767"),
             qPrintable(said));
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("over.bin"), BankFormat::Binary));
    Trigger("deleteQuestion");
    QTRY_VERIFY(window_->Document().ChecksDone());
    QCOMPARE(issues->model()->rowCount(), 0);
    QVERIFY(window_->SaveTo(Path("over.bin"), BankFormat::Binary));
}

void EditorTest::undoRestoresTheBankAfterEachKindOfEdit() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    window_->SelectRow(3);
    QAbstractItemModel& model = ListModel();
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
             auto data = std::unique_ptr<QMimeData>(model.mimeData({model.index(1, 0)}));
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
    auto data = std::unique_ptr<QMimeData>(model.mimeData({model.index(1, 0)}));
    const Bank before = Questions();
    model.dropMimeData(data.get(), Qt::MoveAction, 6, 0, {});
    QVERIFY(Questions()[5].question == before[1].question);
    QVERIFY(Questions()[1].question == before[2].question);
}

// A quick hand adds the next question right after Alt and a digit: the choice stays with the
// question it was made on.
void EditorTest::theRightOptionsKeyChoosesAtOnceForTheQuestionShown() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Type(0, "Первый");
    QTest::keyClick(&window_->Form().TextField(0), Qt::Key_3, Qt::AltModifier);
    QCOMPARE(Questions()[0].rightOption, 3);
    Trigger("addQuestion");
    QTest::qWait(300);
    QCOMPARE(Questions().size(), std::size_t{2});
    QCOMPARE(Questions()[0].rightOption, 3);
    QCOMPARE(Questions()[1].rightOption, 1);
    QVERIFY(window_->Form().RightChoice(1).isChecked());
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

    // Opening a recent file over unsaved work asks too, and Cancel keeps the work.
    QVERIFY(window_->SaveTo(Path("other.txt"), BankFormat::Aiken));
    Type(0, " ещё");
    auto* recent = window_->findChild<QMenu*>("recentFiles");
    emit recent->aboutToShow();
    closer_->Answer(QMessageBox::Cancel);
    recent->actions().at(0)->trigger();
    QCOMPARE(closer_->seen.size(), std::size_t{2});
    QCOMPARE(Questions()[0].question, std::u16string(u"Несохранённый вопрос ещё"));

    closer_->Answer(QMessageBox::Discard);
    QVERIFY(window_->close());
    QCOMPARE(closer_->seen.size(), std::size_t{3});

    // Typing on in the field last typed in, after a save, is a change again.
    window_->show();
    QVERIFY(window_->SaveTo(Path("saved.txt"), BankFormat::Aiken));
    QVERIFY(!window_->isWindowModified());
    Type(0, "?");
    QVERIFY(window_->isWindowModified());
    closer_->Answer(QMessageBox::Save);
    QVERIFY(window_->close());
    QVERIFY(ReadFile(Path("saved.txt")).startsWith("Несохранённый вопрос ещё?\n"));
}

void EditorTest::layoutAndRecentFilesAreRemembered() {
    window_->show();
    window_->resize(700, 500);
    auto* columns = window_->findChild<QSplitter*>("columns");
    columns->setSizes({150, 250, 300});
    const QList<int> sizes = columns->sizes();
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_DATA)));
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    QVERIFY(window_->close());

    window_ = std::make_unique<EditorWindow>();
    window_->show();
    QCOMPARE(window_->size(), QSize(700, 500));
    QCOMPARE(window_->findChild<QSplitter*>("columns")->sizes(), sizes);
    auto* recent = window_->findChild<QMenu*>("recentFiles");
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(
        recent->actions()[0]->text().endsWith(QFileInfo(VORNIKAT_BANK_SOURCE).absoluteFilePath()));
    recent->actions()[1]->trigger();
    QVERIFY(window_->windowTitle().startsWith("data.bin"));

    // Splits kept in a window larger than this screen, as at a smaller scale, give way to the
    // opening split rather than squeezing the form beside the preview.
    const QSize screen = window_->screen()->availableGeometry().size();
    window_->resize(screen * 2);
    window_->findChild<QSplitter*>("columns")->setSizes(
        {screen.width() / 2, screen.width() / 4, screen.width() * 5 / 4});
    QVERIFY(window_->close());
    window_ = std::make_unique<EditorWindow>();
    window_->show();
    const QList<int> opening = window_->findChild<QSplitter*>("columns")->sizes();
    QVERIFY2(opening[1] >= opening[0] && opening[1] >= window_->width() / 4,
             qPrintable(QString("%1 %2 %3").arg(opening[0]).arg(opening[1]).arg(opening[2])));
}

void EditorTest::unreadableFilesOpenNothingAndSayWhy() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
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
    QVERIFY(closer_->seen[0].text.contains("нет ни одного вопроса Aiken"));
    QVERIFY(closer_->seen[1].text.contains("Викторина не загрузит этот банк"));
    QVERIFY(closer_->seen[1].text.contains("файл кончается раньше"));
    QVERIFY(closer_->seen[2].text.contains("Такого файла нет"));

    // A name in another encoding than UTF-8 opens and saves by its own bytes, shown escaped;
    // spelled as Qt's dialogs spell it, it names no file, and the author is told why.
    const std::string foreign =
        QFile::encodeName(dir_->path()).toStdString() + "/\xcf\xf0\xe8\xe2\xe5\xf2.txt";
    std::ofstream(foreign) << kThreeQuestions;
    QVERIFY(window_->OpenFile(std::filesystem::path(foreign)));
    QVERIFY(window_->windowTitle().startsWith("\\xcf\\xf0\\xe8\\xe2\\xe5\\xf2.txt"));
    Replace(0, "Изменённый?");
    QVERIFY(window_->SaveTo(std::filesystem::path(foreign), BankFormat::Aiken));
    std::ifstream saved(foreign);
    std::string firstLine;
    std::getline(saved, firstLine);
    QCOMPARE(QString::fromStdString(firstLine), QStringLiteral("Изменённый?"));
    // The same bytes come from the command line and from the recent files of the next run.
    char program[] = "vornikat-editor";
    std::string named = foreign;
    char* argv[] = {program, named.data()};
    QCOMPARE(QByteArray::fromStdString(ReadEditorCommandLine(2, argv)->native()),
             QByteArray::fromStdString(foreign));
    window_ = std::make_unique<EditorWindow>();
    auto* recent = window_->findChild<QMenu*>("recentFiles");
    emit recent->aboutToShow();
    recent->actions().at(0)->trigger();
    QCOMPARE(Questions().at(0).question, std::u16string(u"Изменённый?"));
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->OpenFile(QFile::decodeName(QByteArray::fromStdString(foreign))));
    QVERIFY(closer_->seen.back().text.contains("UTF-8"));
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));

    // A name longer than the system allows is said so, and shown with its end in sight.
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->OpenFile(Path((QByteArray(300, 'a') + ".bin").constData())));
    const QString said = closer_->seen.back().text;
    QVERIFY2(said.contains("длиннее, чем позволяет система"), qPrintable(said));
    QVERIFY(said.contains(QStringLiteral("a…a")) && said.contains(QStringLiteral("aaaa.bin»")));
    QVERIFY(said.section('\n', 0, 0).size() < 120);
    // A newline in the name is drawn, not obeyed.
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->OpenFile(Path("two\nlines.txt")));
    QVERIFY(closer_->seen.back()
                .text.section('\n', 0, 0)
                .endsWith(QStringLiteral("two\\nlines.txt» не открыт.")));
    QVERIFY(Same(Questions(), shipped));
    // Nor in the title, where a direction override would show "txt.exe" as "exe.txt".
    WriteFile(Path("a\n\x1b[31m\u202Etxt.exe"), kThreeQuestions);
    QVERIFY(window_->OpenFile(Path("a\n\x1b[31m\u202Etxt.exe")));
    QVERIFY2(window_->windowTitle().startsWith("a\\n\\x1b[31m\\u202etxt.exe"),
             qPrintable(window_->windowTitle()));
}

void EditorTest::anEmptyFileIsANewBankOfTheFormItsNameSays() {
    WriteFile(Path("new.bin"), {});
    QVERIFY(window_->OpenFile(Path("new.bin")));
    QCOMPARE(window_->Document().Count(), 0);
    Trigger("addQuestion");
    for (int field = 0; field < 6; ++field) {
        Type(field, QStringLiteral("Да"));
    }
    Trigger("save");
    QCOMPARE(closer_->seen.size(), std::size_t{0});
    // The bank tool's bytes for the same question, as its author would write it.
    WriteFile(Path("new-source.txt"), "Да\nA) Да\nB) Да\nC) Да\nD) Да\nE) Да\nANSWER: A\n");
    QCOMPARE(QProcess::execute(VORNIKAT_BANK_TOOL_PATH,
                               {"build", Path("new-source.txt"), "-o", Path("tool.bin")}),
             0);
    QCOMPARE(ReadFile(Path("new.bin")), ReadFile(Path("tool.bin")));

    WriteFile(Path("new.txt"), {});
    QVERIFY(window_->OpenFile(Path("new.txt")));
    Trigger("addQuestion");
    Type(0, QStringLiteral("Вопрос"));
    Trigger("save");
    QVERIFY(ReadFile(Path("new.txt")).startsWith("Вопрос\n"));

    // Notepad's "Unicode" holds NUL bytes, yet it is a text: its mark says so.
    const QString three = QString::fromUtf8(kThreeQuestions);
    QByteArray unicode("\xFF\xFE");
    unicode.append(reinterpret_cast<const char*>(three.utf16()), three.size() * 2);
    WriteFile(Path("unicode.txt"), unicode);
    QVERIFY(window_->OpenFile(Path("unicode.txt")));
    QCOMPARE(window_->Document().Count(), 3);
    QVERIFY(Questions()[1].question == u"Что такое «ОЗУ»?");
}

void EditorTest::playStartsTheQuizOnATemporaryCopyOfTheBank() {
    // A stand-in for the quiz keeps the bank it was given.
    const QString played = Path("played.bin");
    const QString quiz = Path("quiz");
    WriteFile(quiz, ("#!/bin/sh\ncp \"$1\" '" + played + "'\n").toUtf8());
    QFile::setPermissions(quiz, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    window_->SetQuizProgram(quiz);

    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
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
    quiz.Load();
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
    // The quiz marks no option as right; the sign beside the window does.
    window_->Form().RightChoice(3).click();
    QCOMPARE(preview.RightOptionMarked(), 3);
    QVERIFY(static_cast<QRadioButton&>(preview.Control("Ans1")).isChecked());
    QVERIFY(preview.findChild<QWidget*>("previewClient")
                ->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(preview.Control("Nxt").focusPolicy(), Qt::NoFocus);

    // The counter is the question's place in the quiz: it follows the question moved, by the
    // menu or by its undo.
    const auto counter = [&preview] {
        return static_cast<QLabel&>(preview.Control("LblC")).text();
    };
    Trigger("addQuestion");
    Trigger("addQuestion");
    QCOMPARE(counter(), QStringLiteral("0/2"));
    Trigger("moveUp");
    QCOMPARE(counter(), QStringLiteral("0/1"));
    Trigger("moveUp");
    QCOMPARE(counter(), QStringLiteral("0/0"));
    Trigger("undo");
    QCOMPARE(counter(), QStringLiteral("0/1"));
}

void EditorTest::findSearchesEveryTextFromTheNextQuestionRound() {
    const Bank bank = {
        {u"Первый", {u"а", u"б", u"в", u"г", u"д"}, 1},
        {u"Второй про ОБЕД", {u"а", u"б", u"в", u"г", u"д"}, 1},
        {u"Третий", {u"а", u"б", u"в", u"г", u"д"}, 1},
        {u"Четвёртый", {u"а", u"б", u"обед", u"г", u"д"}, 1},
    };
    const auto bytes = WriteQuestionBank(bank);
    WriteFile(Path("find.bin"), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
    QVERIFY(window_->OpenFile(Path("find.bin")));
    auto* find = window_->findChild<QLineEdit*>("find");
    TypeText(find, "Обед");
    const int expected[] = {1, 3, 1};
    for (const int row : expected) {
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(window_->CurrentRow(), row);
    }
    find->selectAll();
    TypeText(find, "нет такого текста");
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(window_->CurrentRow(), 1);
    QVERIFY(window_->MessageShown().contains("не найдено"));
    // The counts stay; the message goes with the next edit.
    QVERIFY(window_->CountsShown().startsWith("Вопросов: 4."));
    Type(0, "!");
    QVERIFY(window_->MessageShown().isEmpty());
    QVERIFY(window_->CountsShown().startsWith("Вопросов: 4."));
}

void EditorTest::fiveQuestionsTypedWithTabAloneSaveAsTheirText() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QString expected;
    for (int q = 1; q <= 5; ++q) {
        if (q > 1) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        }
        const QStringList texts = {
            QString("Вопрос %1?").arg(q), "one", "two", "three", "four five", "six"};
        for (qsizetype k = 0; k < texts.size(); ++k) {
            if (k > 0) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            TypeText(QApplication::focusWidget(), texts[k]);
        }
        // The right option by its Alt key, from whatever field has the focus.
        const int right = 1 + q % 5;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + right), Qt::AltModifier);
        QTRY_COMPARE(window_->Document().At(q - 1).rightOption, right);
        expected += QString("%1%2\nA) one\nB) two\nC) three\nD) four five\nE) six\nANSWER: %3\n")
                        .arg(q > 1 ? "\n" : "", texts[0], QChar('A' + right - 1));
    }
    QCOMPARE(window_->Document().Count(), 5);
    // From the last option Tab goes on to the next control the author sees, never to a right
    // option's circle or to a scrolling pane that shows no focus.
    window_->Form().TextField(5).setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    QVERIFY2(next != nullptr && next->objectName() == "issueList",
             next == nullptr ? "nothing" : next->metaObject()->className());
    // Save as has its key on every desktop, whether the platform binds one or not.
    QVERIFY(!window_->findChild<QAction*>("saveAs")->shortcuts().isEmpty());
    QVERIFY(window_->SaveTo(Path("typed.txt"), BankFormat::Aiken));
    QCOMPARE(QString::fromUtf8(ReadFile(Path("typed.txt"))), expected);
}

void EditorTest::undoKeysWorkWithTheFocusInTheSearchBox() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* find = window_->findChild<QLineEdit*>("find");
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"text", [this] { Type(2, "!"); }},
        {"right option", [this] { window_->Form().RightChoice(4).click(); }},
        {"add", [this] { Trigger("addQuestion"); }},
        {"delete", [this] { Trigger("deleteQuestion"); }},
        {"move", [this] { Trigger("moveDown"); }},
    };
    for (const auto& [name, edit] : edits) {
        window_->SelectRow(2);
        const Bank before = Questions();
        edit();
        QVERIFY2(!Same(before, Questions()), name);
        find->setFocus();
        QTest::keyClick(find, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(Same(before, Questions()), name);
        QTest::keyClick(find, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(!Same(before, Questions()), name);
        QTest::keyClick(find, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(window_->UndoStack().isClean(), name);
    }
    // The deletion by its own key comes back by the same undo key.
    const Bank before = Questions();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window_->Document().Count(), static_cast<int>(before.size()) - 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(Same(before, Questions()));
    // Typing and typing it away leaves nothing to undo.
    Type(1, "x");
    QTest::keyClick(&window_->Form().TextField(1), Qt::Key_Backspace);
    QVERIFY(window_->UndoStack().isClean());
}

void EditorTest::filesThatAreNotRegularAreRefusedInRussianAtOnce() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    const Bank shipped = Questions();
    QVERIFY(::mkfifo(Path("pipe").toLocal8Bit().constData(), 0600) == 0);
    QVERIFY(QFile::link(Path("nowhere"), Path("dangling")));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = Path("socket").toLocal8Bit();
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    QVERIFY(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    const std::pair<QString, QString> files[] = {
        {dir_->path(), "папка"},   {Path("pipe"), "канал"},      {"/dev/zero", "устройство"},
        {Path("socket"), "сокет"}, {Path("dangling"), "ссылка"}, {"", "нет"},
    };
    for (const auto& [file, why] : files) {
        closer_->Answer(QMessageBox::Ok);
        QVERIFY2(!window_->OpenFile(file), qPrintable(file));
        QVERIFY(closer_->seen.back().text.contains(why));
        QVERIFY(Same(Questions(), shipped));
    }
    ::close(socket);
}

// Lines that belong to no question are told once the bank is open, the same one once.
void EditorTest::repeatedParseErrorsAreSaidOnceWithACount() {
    QByteArray text = kThreeQuestions;
    for (int k = 0; k < 30; ++k) {
        text += "ANSWER: A\n";
    }
    WriteFile(Path("answers.txt"), text);
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(window_->OpenFile(Path("answers.txt")));
    QCOMPARE(window_->Document().Count(), 3);
    const QString said = closer_->seen.back().text;
    QVERIFY2(said.contains("пропадут") && said.contains("и ещё 19 раз ниже"), qPrintable(said));
    QVERIFY(said.count("строка ") < 4);
}

void EditorTest::theNameTypedInTheSaveDialogChoosesTheForm() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    // Types the name into the dialog the editor opens, with the filter it offers first.
    const auto saveAs = [this](const QString& name, const QString& filter = {}) {
        QTimer::singleShot(0, this, [name, filter] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            if (!filter.isEmpty()) {
                dialog->selectNameFilter(filter);
                emit dialog->filterSelected(filter);
            }
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        Trigger("saveAs");
    };
    // The dialog first offers Aiken text; a data.bin written as text would be refused by the quiz.
    saveAs(Path("data.bin"));
    QCOMPARE(ReadFile(Path("data.bin")), ReadFile(VORNIKAT_BANK_DATA));
    saveAs(Path("back.txt"));
    QCOMPARE(ReadFile(Path("back.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    // A name without an extension takes the chosen type's.
    saveAs(Path("plain"));
    QCOMPARE(ReadFile(Path("plain.txt")), ReadFile(VORNIKAT_BANK_SOURCE));
    saveAs(Path("plain"), "Банк викторины data.bin (*.bin)");
    QCOMPARE(ReadFile(Path("plain.bin")), ReadFile(VORNIKAT_BANK_DATA));
    QVERIFY(!QFile::exists(Path("plain")));
    QCOMPARE(closer_->seen.size(), std::size_t{0});
}

void EditorTest::aLongOpeningIsToldWhileParsingAndMayBeGivenUp() {
    // Parsing a big text takes longer than reading it: the progress goes on through both.
    QByteArray text;
    for (int k = 0; k < 2000; ++k) {
        text += kThreeQuestions + QByteArray("\n");
    }
    WriteFile(Path("big.txt"), text);
    const std::filesystem::path path(Path("big.txt").toStdString());
    std::vector<std::uint64_t> told;
    const auto opened = ReadBankFile(path, [&](std::uint64_t done, std::uint64_t total) {
        told.push_back(done * 2 / total);
        return true;
    });
    QVERIFY(opened.has_value());
    QCOMPARE(opened->questions.size(), std::size_t{6000});
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    QVERIFY(std::count(told.begin(), told.end(), 1) > 1);

    // Given up halfway through the parse, the open brings nothing.
    const auto givenUp = ReadBankFile(
        path, [](std::uint64_t done, std::uint64_t total) { return done < total * 3 / 4; });
    QVERIFY(!givenUp.has_value());
}

void EditorTest::aDataBinIsToldAsItStreamsAndKnownByANulByteAnywhere() {
    const auto write = [this](const char* name, const std::vector<std::uint8_t>& bytes) {
        WriteFile(Path(name), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
        return std::filesystem::path(Path(name).toStdString());
    };
    const auto big = write(
        "big.bin",
        WriteQuestionBank(Bank(
            6000, QuestionRecord{u"Вопрос о байтах и битах", {u"А", u"Б", u"В", u"Г", u"Д"}, 2})));
    std::vector<std::uint64_t> told;
    bool withinTheFile = true;
    const auto opened = ReadBankFile(big, [&](std::uint64_t done, std::uint64_t total) {
        withinTheFile = withinTheFile && done <= total;
        told.push_back(done);
        return true;
    });
    QVERIFY(withinTheFile);
    QVERIFY(opened.has_value());
    QCOMPARE(opened->format, BankFormat::Binary);
    QCOMPARE(opened->questions.size(), std::size_t{6000});
    QVERIFY(told.size() > 2);
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    const auto givenUp =
        ReadBankFile(big, [](std::uint64_t done, std::uint64_t total) { return done < total / 2; });
    QVERIFY(!givenUp.has_value());

    // The loader skips one unit after each length, and a bank made elsewhere may put anything
    // there: with no NUL in its first kilobytes, the file is still a data.bin, not text.
    Bank odd(258, QuestionRecord{u"В", {u"1", u"2", u"3", u"4", u"5"}, 1});
    odd[0].question = std::u16string(2306, u'a');
    std::vector<std::uint8_t> bytes = WriteQuestionBank(odd);
    bytes[4] = bytes[5] = 0x01;
    QVERIFY(std::find(bytes.begin(), bytes.begin() + 4096, 0) == bytes.begin() + 4096);
    const auto opaque = ReadBankFile(write("opaque.bin", bytes));
    QVERIFY(opaque.has_value());
    QCOMPARE(opaque->format, BankFormat::Binary);
    QCOMPARE(opaque->questions.size(), std::size_t{258});
    QVERIFY(opaque->questions[0].record.question == odd[0].question);
}

void EditorTest::savesRemoveTheirLeftoversAndSpareAReadOnlyBank() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    // What a killed save of this bank left goes at its next save and at its opening; files of
    // other names stay.
    for (const bool opening : {false, true}) {
        WriteFile(Path(".bank.txt.vornikat-save-k1ll3d"), "half a bank");
        WriteFile(Path(".bank.txt.vornikat-save-notours"), "someone else's");
        WriteFile(Path(".other.txt.vornikat-save-k1ll3d"), "another bank's");
        WriteFile(Path(".bank.bin.vornikat-save-abc123"), "a name as long, of another file's");
        QVERIFY(opening ? window_->OpenFile(Path("bank.txt"))
                        : window_->SaveTo(Path("bank.txt"), BankFormat::Aiken));
        QVERIFY(!QFile::exists(Path(".bank.txt.vornikat-save-k1ll3d")));
        QVERIFY(QFile::exists(Path(".bank.txt.vornikat-save-notours")));
        QVERIFY(QFile::exists(Path(".other.txt.vornikat-save-k1ll3d")));
        QVERIFY(QFile::exists(Path(".bank.bin.vornikat-save-abc123")));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
    }

    WriteFile(Path("kept.txt"), "the author's own");
    QVERIFY(::chmod(Path("kept.txt").toLocal8Bit().constData(), 0444) == 0);
    Type(0, "!");
    closer_->Answer(QMessageBox::Cancel);
    QVERIFY(!window_->SaveTo(Path("kept.txt"), BankFormat::Aiken));
    QCOMPARE(ReadFile(Path("kept.txt")), QByteArray("the author's own"));
    QVERIFY(closer_->seen.back().text.contains("только для чтения"));
    QVERIFY(closer_->seen.back().buttons.contains("Сохранить как…"));
    QVERIFY(!window_->UndoStack().isClean());

    // So does a folder that takes no new file.
    QVERIFY(QDir(dir_->path()).mkdir("closed"));
    QVERIFY(::chmod(Path("closed").toLocal8Bit().constData(), 0555) == 0);
    closer_->Answer(QMessageBox::Cancel);
    QVERIFY(!window_->SaveTo(Path("closed/bank.txt"), BankFormat::Aiken));
    QVERIFY(closer_->seen.back().text.contains("нельзя записывать"));
    QVERIFY(closer_->seen.back().buttons.contains("Сохранить как…"));
    QVERIFY(!QFile::exists(Path("closed/bank.txt")));

    // A folder that is not there is said in the author's words too.
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("missing/bank.txt"), BankFormat::Aiken));
    QVERIFY(closer_->seen.back().text.contains("такой папки нет"));

    // A pipe at the name stays a pipe.
    QVERIFY(::mkfifo(Path("pipe").toLocal8Bit().constData(), 0600) == 0);
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("pipe"), BankFormat::Binary));
    QVERIFY(closer_->seen.back().text.contains("канал, сокет или устройство"));
    struct stat pipe {};
    QVERIFY(::stat(Path("pipe").toLocal8Bit().constData(), &pipe) == 0 && S_ISFIFO(pipe.st_mode));
}

void EditorTest::aDraftWithErrorsSavesAsAikenAndReopensWithThem() {
    Type(0, "Что больше: 5 ≤ 6?");
    Type(1, "Да");
    QVERIFY(HasErrors());
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("draft.bin"), BankFormat::Binary));
    QVERIFY(!QFile::exists(Path("draft.bin")));
    QVERIFY(closer_->seen.back().text.contains("Черновик"));

    // Options 2 to 5 are empty, which Aiken carries; the question's letter it carries too.
    QVERIFY(window_->SaveTo(Path("draft.txt"), BankFormat::Aiken));
    const Bank saved = Questions();
    window_ = std::make_unique<EditorWindow>();
    QVERIFY(window_->OpenFile(Path("draft.txt")));
    QVERIFY(Same(Questions(), saved));
    QVERIFY(HasErrors());
    QVERIFY(window_->Form().IssuesShownAt(0).contains("U+2264"));

    // What no line of Aiken text can carry keeps even a draft from it, and the box says so
    // in the author's words.
    const QByteArray draft = ReadFile(Path("draft.txt"));
    Trigger("addQuestion");
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("draft.txt"), BankFormat::Aiken));
    QVERIFY(closer_->seen.back().text.contains("вопрос 2, вопрос: текст пуст"));
    QCOMPARE(ReadFile(Path("draft.txt")), draft);
}

// Notepad's "ANSI" on a Russian Windows, Windows-1251 with CRLF, with what Aiken tools refuse: a
// question of four options, one of six, one with no answer.
void EditorTest::aWindowsDraftOpensFlaggedAndSavesInItsOwnForm() {
    const std::u16string text =
        u"Сколько бит в байте?\r\nA) 4\r\nB) 8\r\nC) 16\r\nD) 32\r\nANSWER: B\r\n\r\n"
        u"Что такое «ОЗУ»?\r\nA) Память\r\nB) Овощ\r\nC) Ураган\r\nD) Звук\r\nE) Зуб\r\n"
        u"F) Шестой\r\nANSWER: A\r\n\r\n"
        u"Где живёт ёж?\r\nA) В лесу\r\nB) В море\r\nC) В небе\r\nD) В шкафу\r\nE) В файле\r\n";
    const QByteArray bytes = QByteArray::fromStdString(*EncodeCp1251(text));
    WriteFile(Path("windows.txt"), bytes);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(window_->OpenFile(Path("windows.txt")));
    QCOMPARE(window_->Document().Count(), 3);
    QuestionForm& form = window_->Form();
    QLineEdit& sixth = form.TextField(bank::kExtraOptionField);
    QVERIFY(form.IssuesShownAt(5).contains("нет в исходном файле"));
    QVERIFY(!sixth.isVisible());
    window_->SelectRow(1);
    QVERIFY(sixth.isVisible());
    QCOMPARE(sixth.text(), QString("Шестой"));
    QVERIFY(form.IssuesShownAt(bank::kExtraOptionField).startsWith("Ошибка:"));
    window_->SelectRow(2);
    QVERIFY(form.IssuesShownAt(bank::kRightOptionField).contains("не выбран"));
    QVERIFY(!form.RightChoice(1).isChecked() && !form.RightChoice(2).isChecked());

    // Ctrl+S writes the draft back as it came, byte for byte.
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadFile(Path("windows.txt")), bytes);

    // Each flag goes once mended, and comes back with undo.
    form.TextField(1).setFocus();
    QTest::keyClick(&form.TextField(1), Qt::Key_2, Qt::AltModifier);
    QCOMPARE(Questions()[2].rightOption, 2);
    QVERIFY(form.IssuesShownAt(bank::kRightOptionField).isEmpty());
    window_->SelectRow(1);
    sixth.setFocus();
    sixth.selectAll();
    QTest::keyClick(&sixth, Qt::Key_Backspace);
    QVERIFY(!sixth.isVisible());
    window_->SelectRow(0);
    Type(5, "64");
    QVERIFY(!HasErrors());
    for (int k = 0; k < 3; ++k) {
        window_->UndoStack().undo();
    }
    QCOMPARE(Questions()[2].rightOption, 0);
    QCOMPARE(window_->Document().DraftAt(1).extraOptions, std::vector<std::u16string>{u"Шестой"});
    QCOMPARE(Questions()[0].options[4], std::u16string());
    QVERIFY(window_->UndoStack().isClean());
    QVERIFY(HasErrors());
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->SaveTo(Path("windows.bin"), BankFormat::Binary));

    // A letter Windows-1251 lacks is never dropped: UTF-8, or no save, as the author says.
    Type(0, "→");
    closer_->Answer(QMessageBox::Cancel);
    Trigger("save");
    QCOMPARE(ReadFile(Path("windows.txt")), bytes);
    closer_->Answer(QMessageBox::Save);
    Trigger("save");
    const QByteArray saved = ReadFile(Path("windows.txt"));
    QVERIFY(saved.startsWith("\xEF\xBB\xBF") && saved.contains("→") && saved.contains("\r\n"));
    QVERIFY(closer_->seen.back().text.contains("U+2192"));

    // Save as offers that form first, and plain UTF-8 beside it.
    QTimer::singleShot(0, this, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->nameFilters().at(0).contains("UTF-8 с BOM, CRLF"));
        const QString utf8 = dialog->nameFilters().at(1);
        dialog->selectNameFilter(utf8);
        emit dialog->filterSelected(utf8);
        dialog->selectFile(Path("plain.txt"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Trigger("saveAs");
    const QByteArray plain = ReadFile(Path("plain.txt"));
    QCOMPARE(plain, saved.mid(3).replace("\r\n", "\n"));
}

void EditorTest::importsOpenAsANewBankAndSayWhatCameIn() {
    auto* import = window_->findChild<QAction*>("import");
    QVERIFY(import != nullptr);
    QCOMPARE(import->text(), QStringLiteral("&Импорт…"));
    WriteFile(Path("three.gift"),
              "// Три вопроса и один, которого викторина не задаёт.\n"
              "Сколько бит в байте?{~4 =8 ~16 ~Сколько влезет ~1}\n\n"
              "::ОЗУ::Что такое «ОЗУ»?{=Память ~Овощ ~Ураган ~Звук ~Зуб}\n\nЗемля круглая?{T}\n\n"
              "Tom & Jerry?{~Кот и мышь ~Два кота ~Две мыши ~Сыр =}\n");
    // Dropped on the window, as from a file manager.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("three.gift"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    Bank three;
    for (const auto& question : bank::ParseAiken(kThreeQuestions).questions) {
        three.push_back(question.record);
    }
    QVERIFY(Same(Questions(), three));
    QCOMPARE(window_->MessageShown(),
             QStringLiteral("Импортировано вопросов: 3. Пропущено вопросов других видов: 1."));
    // Nothing of it is saved: it has no name, and closing would ask.
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("Новый банк")));
    QVERIFY(!window_->UndoStack().isClean());
    // Opened by name (the command line, Ctrl+O), it is imported all the same.
    window_->NewBank();
    QVERIFY(window_->OpenFile(Path("three.gift")));
    QVERIFY(Same(Questions(), three));
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("Новый банк")));

    // A file with no question to bring in changes nothing and says why.
    WriteFile(Path("page.xml"), "<html><body>Не тест</body></html>");
    closer_->Answer(QMessageBox::Ok);
    QVERIFY(!window_->ImportFile(Path("page.xml").toStdString()));
    QVERIFY(closer_->seen.back().text.contains("строка 1, знак 1: это не тест"));
    QCOMPARE(window_->Document().Count(), 3);
}

void EditorTest::theWindowFitsTheScreenAtEveryScale() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const QRect available = window_->screen()->availableGeometry();
    QVERIFY2(available.contains(window_->geometry()), qPrintable(QString("%1x%2 on %3x%4")
                                                                     .arg(window_->width())
                                                                     .arg(window_->height())
                                                                     .arg(available.width())
                                                                     .arg(available.height())));
    const QSize least = window_->minimumSizeHint().expandedTo(window_->minimumSize());
    QVERIFY2(least.width() <= available.width() && least.height() <= available.height(),
             qPrintable(QString("%1x%2").arg(least.width()).arg(least.height())));

    // Play keeps its button in sight; the question tools may fold into their overflow menu.
    auto* play = window_->findChild<QAction*>("play");
    const auto bars = window_->findChildren<QToolBar*>();
    QVERIFY(std::any_of(bars.begin(), bars.end(), [play](QToolBar* bar) {
        return bar->widgetForAction(play) != nullptr && bar->widgetForAction(play)->isVisible();
    }));
    // Five entries of the checks in sight: the new bank's empty fields give seven.
    const auto* issues = window_->findChild<QListView*>("issueList");
    QVERIFY(issues->model()->rowCount() >= 5);
    QVERIFY2(issues->viewport()->height() >= issues->sizeHintForRow(0) * 5,
             qPrintable(QString::number(issues->viewport()->height())));
    // The quiz's window whole in the preview's column, smaller where it must be.
    const QuizPreview& preview = window_->Preview();
    QVERIFY2(preview.visibleRegion().boundingRect().contains(preview.PictureRect()),
             qPrintable(QString("%1x%2 in %3x%4")
                            .arg(preview.PictureRect().width())
                            .arg(preview.PictureRect().height())
                            .arg(preview.visibleRegion().boundingRect().width())
                            .arg(preview.visibleRegion().boundingRect().height())));

    // The fields stay where they are as the checks come and go.
    QLineEdit& last = window_->Form().TextField(bank::kLastOptionField);
    const QPoint before = last.mapTo(window_.get(), QPoint());
    Type(1, "≤");
    QVERIFY(!window_->Form().IssuesShownAt(1).isEmpty());
    QCOMPARE(last.mapTo(window_.get(), QPoint()), before);
}

void EditorTest::aFieldsIssuesWrapWholeInTheLinesTheyNeed() {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* label = new IssueLabel(2, &form);
    layout->addWidget(label);
    layout->addStretch();
    const QString words = QString("пустое место ").repeated(36).trimmed();
    const QFontMetrics metrics = label->fontMetrics();
    form.resize(metrics.horizontalAdvance(words) / 5, metrics.lineSpacing() * 20);
    label->SetIssues(words);
    layout->activate();
    const int lines =
        metrics.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, words).height() /
        metrics.lineSpacing();
    QVERIFY(lines > 2);
    QCOMPARE(label->text(), words);
    QVERIFY2(label->height() >= lines * metrics.lineSpacing(),
             qPrintable(QString("%1 px for %2 lines").arg(label->height()).arg(lines)));
}

// The X server's own pointer, moved by xdotool, drags a question under openbox: the drop lands,
// undoes, and the window takes keys afterwards. Run through under_openbox.
void EditorTest::aRealDragUnderAWindowManagerMovesAQuestion() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable("xdotool").isEmpty()) {
        QSKIP("needs an X server with a window manager, and xdotool (tests/editor/under_openbox)");
    }
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* list = window_->findChild<QListView*>("questionList");
    const auto at = [list](int row, int part) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        return list->viewport()->mapToGlobal(QPoint(rect.center().x(), rect.top() + part));
    };
    const auto xdotool = [](const QStringList& arguments) {
        QProcess run;
        run.start("xdotool", arguments);
        // The drag runs a loop of its own inside this one: events go on meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(run.state() == QProcess::NotRunning, 20000);
        QCOMPARE(run.exitCode(), 0);
    };
    const Bank before = Questions();
    const QPoint from = at(1, 4);
    const QPoint to = at(5, 2);  // just inside the top of question 6: the drop goes before it
    QStringList drag = {"mousemove", QString::number(from.x()), QString::number(from.y()),
                        "mousedown", "1"};
    for (int step = 1; step <= 10; ++step) {
        const QPoint through = from + (to - from) * step / 10;
        drag << "sleep"
             << "0.05"
             << "mousemove" << QString::number(through.x()) << QString::number(through.y());
    }
    drag << "sleep"
         << "0.2"
         << "mouseup"
         << "1";
    xdotool(drag);
    QTRY_VERIFY(!Same(before, Questions()));
    QVERIFY(Questions()[4].question == before[1].question);
    QVERIFY(Questions()[1].question == before[2].question);

    // The window answers the keyboard at once: the undo key brings the order back, and
    // typing reaches the form.
    xdotool({"key", "--clearmodifiers", "ctrl+z"});
    QTRY_VERIFY(Same(before, Questions()));
    window_->Form().FocusField(bank::kQuestionField);
    xdotool({"type", "--delay", "20", "xyz"});
    QTRY_VERIFY(window_->Form().TextField(bank::kQuestionField).text().contains("xyz"));
}

}  // namespace vornikat::editor

namespace vornikat::editor {

void EditorTest::screenReaderHearsEveryFieldListAndAFieldsProblem() {
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
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
    QVERIFY(window_->OpenFile(QString(VORNIKAT_BANK_SOURCE)));
    QuestionForm& form = window_->Form();
    // An error and a warning: a letter with no Windows-1251 code, an option too long to fit.
    Replace(2, "≤ 5");
    Replace(3, QString(300, QChar(u'ж')));
    for (int field : {2, 3}) {
        QLineEdit& edit = form.TextField(field);
        QVERIFY(!form.IssuesShownAt(field).isEmpty());
        const QPalette shown = edit.palette();
        QVERIFY(shown.color(QPalette::Base) != dark.color(QPalette::Base));
        QVERIFY2(
            ContrastRatio(shown.color(QPalette::Text), shown.color(QPalette::Base)) >= kBodyText,
            qPrintable(QStringLiteral("field %1").arg(field)));
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (label->text() == form.IssuesShownAt(field)) {
                QVERIFY2(ContrastRatio(label->palette().color(QPalette::WindowText),
                                       label->palette().color(QPalette::Window)) >= kBodyText,
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
                             kBodyText,
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

namespace vornikat::editor {

void EditorTest::aChangeOrRemovalOnDiskIsToldAtOnce() {
    struct Case {
        void (*change)(const QString&);
        bool typed;  // an unsaved edit in the editor when it happens
        QMessageBox::StandardButton answer;
        const char* told;
        const char16_t* question;  // of the second question afterwards
    };
    const Case cases[] = {
        {EditElsewhere, false, QMessageBox::Yes, "изменён", u"Что такое «ОЗУ»? (ДРУГАЯ ПРАВКА)"},
        {EditInPlaceWithinTheSecond, false, QMessageBox::Yes, "изменён", u"Что такое «ПЗУ»?"},
        {EditElsewhere, true, QMessageBox::No, "пропадут", u"Что такое «ОЗУ»?"},
        {RemoveElsewhere, true, QMessageBox::Ok, "удалён", u"Что такое «ОЗУ»?"},
    };
    for (const Case& test : cases) {
        const QString path = Path("a.txt");
        WriteFile(path, kThreeQuestions);
        QVERIFY(window_->OpenFile(path));
        if (test.typed) {
            Replace(0, "Мой вопрос");
        }
        closer_->Answer(test.answer);
        test.change(path);
        QTRY_COMPARE(closer_->seen.size(), std::size_t{1});
        QVERIFY2(closer_->seen[0].text.contains(test.told), qPrintable(closer_->seen[0].text));
        QCOMPARE(Questions()[1].question, std::u16string(test.question));
        QCOMPARE(Questions()[0].question == u"Мой вопрос", test.answer != QMessageBox::Yes);
        // The editor's version, kept, is unsaved until it is written again.
        QCOMPARE(window_->isWindowModified(), test.answer != QMessageBox::Yes);
        closer_->seen.clear();
        window_->UndoStack().setClean();
    }
}

void EditorTest::aSaveOverAFileChangedSinceReadAsksFirst() {
    for (const auto change : {EditElsewhere, EditInPlaceWithinTheSecond}) {
        const QString path = Path("a.txt");
        WriteFile(path, kThreeQuestions);
        QVERIFY(window_->OpenFile(path));
        Replace(0, "Мой вопрос");
        change(path);
        const QByteArray theirs = ReadFile(path);
        // Saved before the watch could tell: the save itself looks.
        closer_->Answer(QMessageBox::Cancel);
        closer_->Answer(QMessageBox::No);
        Trigger("save");
        QCOMPARE(closer_->seen.size(), std::size_t{1});
        QVERIFY(closer_->seen[0].text.contains("после того, как редактор его прочёл"));
        QCOMPARE(ReadFile(path), theirs);
        // Then the watch tells it too; the editor's version kept, the next save writes it.
        QTRY_COMPARE(closer_->seen.size(), std::size_t{2});
        Trigger("save");
        QCOMPARE(closer_->seen.size(), std::size_t{2});
        QVERIFY(ReadFile(path).startsWith("Мой вопрос\n"));
        closer_->seen.clear();
    }
}

void EditorTest::theEditorsOwnSaveIsNotToldButEveryOtherChangeIs() {
    const QString path = Path("a.txt");
    WriteFile(path, kThreeQuestions);
    QVERIFY(window_->OpenFile(path));
    for (const char* text : {"Мой вопрос", "Мой вопрос?"}) {
        Replace(0, text);
        Trigger("save");
        QTest::qWait(500);
        QCOMPARE(closer_->seen.size(), std::size_t{0});
    }
    // Each replacement of the file, the editor's or another program's, leaves a new file to
    // watch: every later change is told.
    closer_->Answer(QMessageBox::No);
    closer_->Answer(QMessageBox::Yes);
    for (std::size_t told : {1, 2}) {
        EditElsewhere(path);
        QTRY_COMPARE(closer_->seen.size(), told);
        QTest::qWait(500);
    }
    QCOMPARE(Questions()[1].question,
             std::u16string(u"Что такое «ОЗУ»? (ДРУГАЯ ПРАВКА) (ДРУГАЯ ПРАВКА)"));
}

}  // namespace vornikat::editor

QTEST_MAIN(vornikat::editor::EditorTest)
#include "editor_test.moc"
