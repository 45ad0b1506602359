// SPDX-License-Identifier: MIT
// The quiz played through the desktop windows: the start-up, answers by clicks and by
// time-out, ticks held off while a box is open, and the About box's launcher.
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "fonts.hpp"
#include "front_end_harness.hpp"
#include "translations.hpp"

namespace vornikat::testing {
namespace {

constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// A program that leaves a file beside itself when it runs.
QString WriteMarkingProgram(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write("#!/bin/sh\n: > \"$0.ran\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void SetRegistryText(RegistryPort& registry, const char* keyPath, const char* name,
                     const QString& text) {
    std::string data = text.toStdString();
    data += '\0';
    QCOMPARE(registry.WriteValue(RegRoot::LocalMachine, keyPath, name,
                                 {reg::kSz, {data.begin(), data.end()}}),
             reg::kSuccess);
}

}  // namespace

class FlowTest : public QObject {
    Q_OBJECT

  private:
    UnexpectedEnd process_;
    std::unique_ptr<FrontEndHarness> quiz_;
    QByteArray path_;

    void ClickSysInfo() {
        QTest::mouseClick(quiz_->OpenAboutBox().findChild<QPushButton*>("cmdSysInfo"),
                          Qt::LeftButton);
    }

  private slots:
    void initTestCase() {
        // A Russian system: Qt's own button texts come in Russian.
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        InstallQtTranslations(*QCoreApplication::instance());
        AddClassicFonts();
        path_ = qgetenv("PATH");
    }

    void init() { quiz_ = std::make_unique<FrontEndHarness>(process_); }

    void cleanup() {
        qputenv("PATH", path_);
        quiz_->VerifyBoxesSettled();
        quiz_.reset();
    }

    // The greeting boxes come while no window is on the screen; the window then comes up with
    // the first question in place and Ans1 selected and focused.
    void startUpGreetsBeforeTheWindowShows() {
        quiz_->StartAndPlay();
        const auto& seen = quiz_->boxes.seen;
        QCOMPARE(seen.size(), std::size_t{2});
        QCOMPARE(seen[0].caption, QStringLiteral("Ворникат"));
        QCOMPARE(seen[0].text, QStringLiteral("Вы готовы пройти Ворникат ?"));
        QCOMPARE(seen[0].icon, QMessageBox::Question);
        QCOMPARE(seen[0].buttons, (QStringList{"Да", "Нет"}));
        QCOMPARE(seen[1].text, QStringLiteral("Желаю удачи :)"));
        QCOMPARE(seen[1].icon, QMessageBox::Information);
        QVERIFY(!seen[0].windowShown && !seen[1].windowShown);

        QVERIFY(quiz_->Main().isVisible());
        QCOMPARE(quiz_->Caption("LblQ"), QStringLiteral("Вопрос 1"));
        QCOMPARE(quiz_->Caption("Ans5"), QStringLiteral("Ответ 1.5"));
        QCOMPARE(quiz_->Caption("LblC"), QStringLiteral("0/0"));
        QCOMPARE(quiz_->Caption("LblT"), QStringLiteral("1:00"));
        QVERIFY(quiz_->Control<QRadioButton>("Ans1").isChecked());
        // The focus Main gives when it is active: a compositor without a seat activates none.
        QCOMPARE(quiz_->Main().focusWidget(), &quiz_->Control("Ans1"));
    }

    // A carriage return between two lines shows as a line break.
    void greetingOfAReturningUserBreaksItsLines() {
        SetRegistryText(quiz_->registry, "Software\\Vornikat", "LastScore", " 80");
        quiz_->boxes.Answer(QMessageBox::Yes);
        quiz_->boxes.Answer(QMessageBox::Ok);
        quiz_->frontEnd->Start();
        QCOMPARE(quiz_->boxes.seen.front().text,
                 QStringLiteral("Привет Mr.Profi, хорошо что зашёл !\nБудешь играть ?"));
    }

    void questionAnsweredByClicks() {
        quiz_->StartAndPlay();
        quiz_->TakeTrace();
        QTest::mouseClick(&quiz_->Control("Ans2"), Qt::LeftButton);
        QTest::mouseClick(&quiz_->Control("Nxt"), Qt::LeftButton);
        QCOMPARE(quiz_->TakeTrace(), QStringList{"sound 101"});
        QCOMPARE(quiz_->Caption("LblC"), QStringLiteral("1/1"));
        QCOMPARE(quiz_->Caption("LblQ"), QStringLiteral("Вопрос 2"));
        QVERIFY(quiz_->Control<QRadioButton>("Ans1").isChecked());
        QCOMPARE(quiz_->Main().focusWidget(), &quiz_->Control("Ans1"));

        QTest::mouseClick(&quiz_->Control("Ans4"), Qt::LeftButton);
        QTest::keyClick(&quiz_->Control("Nxt"), Qt::Key_Space);
        QCOMPARE(quiz_->TakeTrace(), QStringList{"sound 102"});
        QCOMPARE(quiz_->Caption("LblC"), QStringLiteral("1/2"));
    }

    void timeOutReachedThroughTimer1() {
        quiz_->StartAndPlay();
        quiz_->TakeTrace();
        QTest::mouseClick(&quiz_->Control("Ans2"), Qt::LeftButton);
        quiz_->Timer1().setInterval(2);
        QTRY_COMPARE_WITH_TIMEOUT(quiz_->Caption("LblC"), QStringLiteral("0/1"), 5000);
        quiz_->Timer1().stop();
        // A time-out is a wrong answer whatever was selected.
        QCOMPARE(quiz_->TakeTrace(), QStringList{"sound 102"});
        QCOMPARE(quiz_->Caption("LblQ"), QStringLiteral("Вопрос 2"));
    }

    // While a handler's box is open no tick runs, and the ticks that fell due are not made up
    // for afterwards.
    void noTickWhileAHandlersBoxIsOpen() {
        quiz_->StartAndPlay();
        qputenv("PATH", "");
        quiz_->Timer1().setInterval(5);
        QString shownWhileOpen;
        QString shownAtClose;
        bool tickedWhileOpen = false;
        quiz_->boxes.Answer(QMessageBox::Ok, [&] {
            shownWhileOpen = quiz_->Caption("LblT");
            QSignalSpy ticks(&quiz_->Timer1(), &QTimer::timeout);
            tickedWhileOpen = QTest::qWaitFor([&] { return ticks.count() >= 5; });
            shownAtClose = quiz_->Caption("LblT");
        });
        ClickSysInfo();
        QVERIFY(tickedWhileOpen);
        QCOMPARE(shownAtClose, shownWhileOpen);
        QVERIFY(quiz_->Timer1().isActive());
        QTRY_VERIFY(quiz_->Caption("LblT") != shownAtClose);
        QCOMPARE(quiz_->Caption("LblC"), QStringLiteral("0/0"));
    }

    // The tool named by the registry is started as it is, with no shell between.
    void sysInfoStartsTheToolTheRegistryNames() {
        QTemporaryDir dir(QDir::tempPath() + "/vornikat tool $(x);XXXXXX");
        const QString tool = WriteMarkingProgram(dir.filePath("system info"));
        SetRegistryText(quiz_->registry, kToolKey, "PATH", tool);
        quiz_->StartAndPlay();
        ClickSysInfo();
        QTRY_VERIFY(QFile::exists(tool + ".ran"));
        QCOMPARE(quiz_->boxes.seen.size(), std::size_t{2});
    }

    void sysInfoFindsTheToolInTheRegistrysFolder() {
        QTemporaryDir dir;
        WriteMarkingProgram(dir.filePath("MSINFO32.EXE"));
        SetRegistryText(quiz_->registry, kFolderKey, "MSINFO", dir.path());
        quiz_->StartAndPlay();
        ClickSysInfo();
        QTRY_VERIFY(QFile::exists(dir.filePath("MSINFO32.EXE.ran")));
        QCOMPARE(quiz_->boxes.seen.size(), std::size_t{2});
    }

    // Without registry entries a system-information program on PATH is started; with none
    // there either, the one box says so.
    void sysInfoWithoutRegistryEntriesLooksOnPath() {
        QTemporaryDir empty;
        QTemporaryDir tools;
        const QString hardinfo = WriteMarkingProgram(tools.filePath("hardinfo"));
        WriteMarkingProgram(tools.filePath("gnome-system-monitor"));
        quiz_->StartAndPlay();

        qputenv("PATH", (empty.path() + ":" + tools.path()).toLocal8Bit());
        ClickSysInfo();
        QTRY_VERIFY(QFile::exists(hardinfo + ".ran"));
        QVERIFY(!QFile::exists(tools.filePath("gnome-system-monitor.ran")));

        qputenv("PATH", empty.path().toLocal8Bit());
        quiz_->boxes.Answer(QMessageBox::Ok);
        ClickSysInfo();
        QCOMPARE(quiz_->boxes.seen.back().text,
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(quiz_->boxes.seen.back().buttons, QStringList{"OK"});
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::FlowTest)
#include "flow_test.moc"
