// SPDX-License-Identifier: MIT
// The program's ways out, each ending the test process as it ends the program: at once, from
// inside the handler, with no close or unload of a window. Each case runs in a process of its
// own (name it on the command line); its checks run on the way out, and when they pass the
// process ends with the program's own exit status.
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "front_end_harness.hpp"
#include "posix_file_system.hpp"
#include "qt_process.hpp"

namespace vornikat::testing {
namespace {

std::function<void()> checksAtEnd;

// Runs from the program's end: the case passes when its checks do. A failed check ends the
// process at once; otherwise the program's end goes on with the status it was given.
void CheckAtEnd() {
    if (checksAtEnd) {
        checksAtEnd();
    } else {
        QTest::qFail("the program ended before the case was ready", __FILE__, __LINE__);
    }
    const bool failed = QTest::currentTestFailed();
    std::printf("%s: %s: the program ended\n", failed ? "FAIL!  " : "PASS   ",
                QTest::currentTestFunction());
    std::fflush(stdout);
    if (failed) {
        std::_Exit(EXIT_FAILURE);
    }
}

QByteArray RegistryText(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class EndTest : public QObject {
    Q_OBJECT

  private:
    QtProcess process_;
    std::unique_ptr<PosixFileSystem> playersBank_;
    std::unique_ptr<FrontEndHarness> quiz_;
    bool aboutBoxClosed_ = false;
    // What Main showed while the box was open, with the timer ticking fast behind it.
    struct {
        QString atOpen;
        QString atClose;
        QString counter;
        bool timerRunning = false;
        bool ticked = false;
    } whileOpen_;

    // A box that leaves the timer running stays up until the timer has fired a few times
    // behind it.
    void AnswerAfterWatchingTheTimer() {
        quiz_->Timer1().setInterval(2);
        quiz_->boxes.Answer(QMessageBox::Ok, [this] {
            whileOpen_.atOpen = quiz_->Caption("LblT");
            whileOpen_.timerRunning = quiz_->Timer1().isActive();
            QSignalSpy ticks(&quiz_->Timer1(), &QTimer::timeout);
            whileOpen_.ticked =
                whileOpen_.timerRunning && QTest::qWaitFor([&] { return ticks.count() >= 5; });
            whileOpen_.atClose = quiz_->Caption("LblT");
            whileOpen_.counter = quiz_->Caption("LblC");
        });
    }

    void OpenAboutBox() {
        QObject::connect(&quiz_->OpenAboutBox(), &QDialog::finished,
                         [this] { aboutBoxClosed_ = true; });
    }

    // The goodbye box, with Main still on the screen and no tick behind it.
    // The checks to run on the way out, and with them: every box was one the case expected.
    void CheckAtTheEnd(std::function<void()> checks) {
        checksAtEnd = [this, checks = std::move(checks)] {
            checks();
            quiz_->VerifyBoxesSettled();
        };
    }

    void ExpectGoodbyeOnTheWayOut() {
        AnswerAfterWatchingTheTimer();
        const QByteArray registryBefore = RegistryText(quiz_->registryFile);
        CheckAtTheEnd([this, registryBefore] {
            QVERIFY(!quiz_->frontEnd);
            QCOMPARE(quiz_->boxes.seen.size(), std::size_t{3});
            const auto& goodbye = quiz_->boxes.seen.back();
            QCOMPARE(goodbye.text, QStringLiteral("Пока, загляни сюда ещё как-нибудь!"));
            QCOMPARE(goodbye.icon, QMessageBox::Information);
            QCOMPARE(goodbye.buttons, QStringList{"OK"});
            QVERIFY(goodbye.windowShown);
            QVERIFY(!whileOpen_.timerRunning);
            QCOMPARE(whileOpen_.atClose, whileOpen_.atOpen);
            QCOMPARE(quiz_->TakeTrace(), QStringList());
            QVERIFY(!aboutBoxClosed_);
            QCOMPARE(RegistryText(quiz_->registryFile), registryBefore);
        });
        quiz_->TakeTrace();
    }

  private slots:
    void initTestCase() {
        if (QCoreApplication::arguments().size() != 2) {
            QSKIP("each case ends the process: name one on the command line");
        }
        std::at_quick_exit(CheckAtEnd);
    }

    void init() {
        quiz_ = std::make_unique<FrontEndHarness>(process_, 1);
        process_.SetTeardown([this] { quiz_->frontEnd.reset(); });
    }

    void closeRequestIsRefusedAndSaysGoodbye() {
        quiz_->StartAndPlay();
        OpenAboutBox();
        ExpectGoodbyeOnTheWayOut();
        quiz_->Main().close();
        QFAIL("the program did not end");
    }

    void exitSaysGoodbyeWithTheAboutBoxOpen() {
        quiz_->StartAndPlay();
        OpenAboutBox();
        ExpectGoodbyeOnTheWayOut();
        QTest::mouseClick(&quiz_->Control("Exit"), Qt::LeftButton);
        QFAIL("the program did not end");
    }

    void declinedAtStartUpWithNoWindowShown() {
        quiz_->boxes.Answer(QMessageBox::No);
        quiz_->boxes.Answer(QMessageBox::Ok);
        CheckAtTheEnd([this] {
            QCOMPARE(quiz_->boxes.seen.size(), std::size_t{2});
            QCOMPARE(quiz_->boxes.seen[1].text, QStringLiteral("Значит вы ламер :)"));
            QVERIFY(!quiz_->boxes.seen[1].windowShown);
            QVERIFY(RegistryText(quiz_->registryFile).isEmpty());
        });
        quiz_->frontEnd->Start();
        QFAIL("the program did not end");
    }

    // The last answer: the verdict, the score stored, the end.
    void finishedTestStoresTheScore() {
        quiz_->StartAndPlay();
        quiz_->boxes.Answer(QMessageBox::Ok);
        CheckAtTheEnd([this] {
            QCOMPARE(quiz_->boxes.seen.size(), std::size_t{3});
            QCOMPARE(quiz_->TakeTrace(), QStringList{"sound 101"});
            QVERIFY(RegistryText(quiz_->registryFile).contains("\"LastScore\"=\" 100\""));
        });
        quiz_->TakeTrace();
        QTest::mouseClick(&quiz_->Control("Ans2"), Qt::LeftButton);
        QTest::mouseClick(&quiz_->Control("Nxt"), Qt::LeftButton);
        QFAIL("the program did not end");
    }

    // A bank that cannot be read: its box before any window, and nothing stored.
    void brokenBankEndsBeforeAnyWindow() {
        quiz_->fakes.files["data.bin"] = {0xFF, 0xFF};
        quiz_->boxes.Answer(QMessageBox::Yes);
        quiz_->boxes.Answer(QMessageBox::Ok);
        quiz_->boxes.Answer(QMessageBox::Ok);
        CheckAtTheEnd([this] {
            QCOMPARE(quiz_->boxes.seen.size(), std::size_t{3});
            const auto& box = quiz_->boxes.seen.back();
            QVERIFY(
                box.text.startsWith(QStringLiteral("Файл data.bin повреждён или отсутствует!")));
            QVERIFY(box.text.endsWith(QStringLiteral("Невосможно продолжить запуск программы!")));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QVERIFY(!box.windowShown);
            QVERIFY(RegistryText(quiz_->registryFile).isEmpty());
        });
        quiz_->frontEnd->Start();
        QFAIL("the program did not end");
    }

    // A bank of the player's own that cannot be read: the same box as for data.bin, and the
    // file named on standard error.
    void brokenBankOfThePlayersOwnIsNamedOnStderr() {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() /
            ("vornikat-end-" + std::to_string(QCoreApplication::applicationPid()));
        std::filesystem::create_directories(folder);
        const std::filesystem::path bank = folder / "my bank.bin";
        QFile file(QString::fromStdString(bank.string()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xFF");
        file.close();
        playersBank_ = std::make_unique<PosixFileSystem>(bank);
        quiz_->frontEnd = std::make_unique<FrontEnd>(Services{
            quiz_->fakes, quiz_->fakes, *playersBank_, quiz_->registry, quiz_->launcher, process_});
        quiz_->boxes.Watch(&quiz_->Main());
        quiz_->boxes.Answer(QMessageBox::Yes);
        quiz_->boxes.Answer(QMessageBox::Ok);
        quiz_->boxes.Answer(QMessageBox::Ok);
        CheckAtTheEnd([this, folder] {
            std::filesystem::remove_all(folder);
            QCOMPARE(quiz_->boxes.seen.size(), std::size_t{3});
            const auto& box = quiz_->boxes.seen.back();
            QVERIFY(
                box.text.startsWith(QStringLiteral("Файл data.bin повреждён или отсутствует!")));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QVERIFY(!box.windowShown);
        });
        quiz_->frontEnd->Start();
        QFAIL("the program did not end");
    }

    // A run-time error inside a handler: its box names it, no tick runs behind it, then the end.
    void runTimeErrorIsNamedThenTheProgramEnds() {
        quiz_->fakes.soundsPresent = false;
        quiz_->StartAndPlay();
        AnswerAfterWatchingTheTimer();
        CheckAtTheEnd([this] {
            const auto& box = quiz_->boxes.seen.back();
            QCOMPARE(box.text, QStringLiteral("Ошибка выполнения '326':\n\n"
                                              "Ресурс с идентификатором '102' не найден"));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QVERIFY(whileOpen_.ticked);
            QCOMPARE(whileOpen_.atClose, whileOpen_.atOpen);
            // The handler was left at the error: the answer was never counted.
            QCOMPARE(whileOpen_.counter, QStringLiteral("0/0"));
        });
        QTest::mouseClick(&quiz_->Control("Nxt"), Qt::LeftButton);
        QFAIL("the program did not end");
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::EndTest)
#include "end_test.moc"
