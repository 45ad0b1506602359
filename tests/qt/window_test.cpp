// SPDX-License-Identifier: MIT
// The two windows as a user meets them: where everything is, what takes the focus, what the
// keys do, and the About box's life from show to close.
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "command_line.hpp"
#include "fonts.hpp"
#include "front_end_harness.hpp"
#include "program_icon.hpp"
#include "readable_colors.hpp"

namespace vornikat::testing {

// The least contrast at which body text reads, written here rather than read from the code.
constexpr double kBodyText = 4.5;

class WindowTest : public QObject {
    Q_OBJECT

  private:
    UnexpectedEnd process_;
    std::unique_ptr<FrontEndHarness> quiz_;

    QByteArray path_;

    static void ExpectGeometry(const QWidget& window, const char* name, QRect expected) {
        const auto* widget = window.findChild<QWidget*>(name);
        QVERIFY2(widget != nullptr, name);
        QCOMPARE(widget->geometry(), expected);
    }

  private slots:
    void initTestCase() {
        AddClassicFonts();
        path_ = qgetenv("PATH");
        // Twips become pixels at the display's logical dots per inch: 15 twips a pixel here.
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96.0);
    }

    void init() {
        quiz_ = std::make_unique<FrontEndHarness>(process_);
        quiz_->StartAndPlay();
    }

    void cleanup() {
        qputenv("PATH", path_);
        quiz_->VerifyBoxesSettled();
        quiz_.reset();
    }

    void mainWindowIsLaidOutInPixelsOfItsTwips() {
        MainWindow& main = quiz_->Main();
        QCOMPARE(main.windowTitle(), QStringLiteral("Ворникат"));
        QCOMPARE(main.size(), QSize(425, 272));
        QCOMPARE(main.minimumSize(), main.maximumSize());
        const Qt::WindowFlags flags = main.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!main.windowIcon().isNull());
        const QRect screen = main.screen()->availableGeometry();
        QVERIFY(qAbs(main.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(main.geometry().center().y() - screen.center().y()) <= 1);

        ExpectGeometry(main, "HelpMe", {320, 194, 97, 33});
        ExpectGeometry(main, "Exit", {320, 152, 97, 33});
        ExpectGeometry(main, "Nxt", {320, 110, 97, 33});
        ExpectGeometry(main, "FrameT", {320, 43, 97, 54});
        ExpectGeometry(main, "LblT", {8, 13, 81, 33});
        ExpectGeometry(main, "FrameC", {320, 0, 97, 38});
        ExpectGeometry(main, "LblC", {8, 16, 81, 17});
        ExpectGeometry(main, "FrameA", {6, 104, 305, 161});
        ExpectGeometry(main, "Ans5", {8, 120, 289, 25});
        ExpectGeometry(main, "Ans1", {8, 24, 289, 25});
        ExpectGeometry(main, "FrameQ", {6, 0, 305, 97});
        ExpectGeometry(main, "LblQ", {8, 16, 290, 69});
        QCOMPARE(quiz_->Control("LblQ").parentWidget(), &quiz_->Control("FrameQ"));
        QCOMPARE(quiz_->Control("Ans3").parentWidget(), &quiz_->Control("FrameA"));

        QCOMPARE(quiz_->Control<QGroupBox>("FrameA").title(), QStringLiteral("Варианты ответов"));
        QCOMPARE(quiz_->Control("Nxt").toolTip(), QStringLiteral("Ответить на вопрос"));
        QCOMPARE(quiz_->Control("FrameQ").toolTip(), QString());
        const QFont timer = quiz_->Control("LblT").font();
        QCOMPARE(timer.pointSizeF(), 24.0);
        QCOMPARE(timer.weight(), QFont::Bold);
        const QFont question = quiz_->Control("LblQ").font();
        QCOMPARE(question.pointSizeF(), 8.25);
        QCOMPARE(question.weight(), QFont::Bold);
        auto& lblQ = quiz_->Control<QLabel>("LblQ");
        QVERIFY(lblQ.wordWrap());
        QVERIFY(lblQ.alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(quiz_->Control<QLabel>("LblC").alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(!quiz_->Control<QPushButton>("Nxt").isDefault());
    }

    // What a bank holds is shown as it is: no markup, no access keys, a long question wraps
    // inside the label's fixed size.
    void questionTextsShowAsTheyAre() {
        const std::u16string question =
            u"<b>Что такое &amp;</b> и & в HTML? " + std::u16string(200, u'ж');
        quiz_->Main().SetCaption(ControlId::LblQ, question);
        quiz_->Main().SetCaption(ControlId::Ans2, u"Ctrl & Alt");
        auto& lblQ = quiz_->Control<QLabel>("LblQ");
        QCOMPARE(lblQ.textFormat(), Qt::PlainText);
        QCOMPARE(lblQ.text().toStdU16String(), question);
        QCOMPARE(lblQ.size(), QSize(290, 69));
        auto& ans2 = quiz_->Control<QRadioButton>("Ans2");
        QVERIFY(QKeySequence::mnemonic(ans2.text()).isEmpty());
        QCOMPARE(ans2.text().replace(QStringLiteral("&&"), QStringLiteral("&")),
                 QStringLiteral("Ctrl & Alt"));
    }

    // The options are one stop in the keyboard order, then Nxt, Exit and HelpMe; Enter on an
    // option submits nothing, since no button is the default, while a focused button takes it.
    void keyboardGoesThroughTheOptionsThenTheButtons() {
        MainWindow& main = quiz_->Main();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCOMPARE(QApplication::focusWidget(), &quiz_->Control("Ans1"));
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order += QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"Nxt", "Exit", "HelpMe", "Ans1"}));

        quiz_->TakeTrace();
        QTest::keyClick(&quiz_->Control("Ans1"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), &quiz_->Control("Ans2"));
        QVERIFY(quiz_->Control<QRadioButton>("Ans2").isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(quiz_->Caption("LblC"), QStringLiteral("0/0"));
        QCOMPARE(quiz_->TakeTrace(), QStringList());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &quiz_->Control("Nxt"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(quiz_->Caption("LblC").endsWith(QStringLiteral("/1")));
        QTest::keyClick(&quiz_->Control("Nxt"), Qt::Key_Enter);
        QVERIFY(quiz_->Caption("LblC").endsWith(QStringLiteral("/2")));
    }

    void optionsFormOneGroupThatCanBeCleared() {
        MainWindow& main = quiz_->Main();
        main.SetValue(ControlId::Ans4, kTrue);
        QCOMPARE(main.GetValue(ControlId::Ans4), kTrue);
        QCOMPARE(main.GetValue(ControlId::Ans1), kFalse);
        main.SetValue(ControlId::Ans4, kFalse);
        for (const auto id : {ControlId::Ans1, ControlId::Ans2, ControlId::Ans3, ControlId::Ans4,
                              ControlId::Ans5}) {
            QCOMPARE(main.GetValue(id), kFalse);
        }
        main.SetValue(ControlId::Ans5, kTrue);
        QCOMPARE(main.GetValue(ControlId::Ans5), kTrue);
    }

    // A timer of interval 0 would fire whenever the event loop is idle.
    void timerIntervalZeroStopsTheTicks() {
        QTimer& timer = quiz_->Timer1();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 1000);
        quiz_->Main().SetTimerInterval(0);
        QVERIFY(!timer.isActive());
        const QString shown = quiz_->Caption("LblT");
        // A timer of interval 0 of the test's own fires at each idle turn of the event loop,
        // as Timer1 would if it still ran.
        QSignalSpy ticks(&timer, &QTimer::timeout);
        QTimer idle;
        int idleTurns = 0;
        QObject::connect(&idle, &QTimer::timeout, [&idleTurns] { ++idleTurns; });
        idle.start(0);
        QVERIFY(QTest::qWaitFor([&] { return idleTurns >= 20; }));
        idle.stop();
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(quiz_->Caption("LblT"), shown);
        quiz_->Main().SetTimerInterval(1000);
        QVERIFY(timer.isActive());
    }

    void aboutBoxIsLaidOutInPixelsOfItsTwips() {
        QDialog& box = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе \"Ворникат\""));
        QCOMPARE(box.size(), QSize(382, 237));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        // A dialog without an owner: out of the taskbar, yet free to go behind Main.
        QCOMPARE(box.windowType(), Qt::Dialog);
        QCOMPARE(box.parentWidget(), nullptr);
        QVERIFY(!box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(box.isVisible() && quiz_->Main().isVisible() && !box.isModal());

        ExpectGeometry(box, "picIcon", {16, 16, 32, 32});
        ExpectGeometry(box, "cmdOK", {283, 175, 84, 23});
        ExpectGeometry(box, "cmdSysInfo", {284, 205, 83, 23});
        ExpectGeometry(box, "lblDescription", {70, 75, 259, 78});
        ExpectGeometry(box, "lblTitle", {70, 16, 259, 32});
        ExpectGeometry(box, "lblVersion", {70, 52, 259, 15});
        ExpectGeometry(box, "lblDisclaimer", {17, 175, 258, 55});
        const auto* picIcon = box.findChild<QLabel*>("picIcon");
        QCOMPARE(picIcon->pixmap().size(), QSize(32, 32));
        // A focus stop a screen reader can name.
        QCOMPARE(picIcon->accessibleName(), QStringLiteral("Значок программы"));

        // The engraved rule: grey over white.
        QMap<int, QWidget*> lines;
        for (QWidget* line : box.findChildren<QWidget*>("Line1")) {
            lines.insert(line->property("index").toInt(), line);
        }
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1]->geometry(), QRect(6, 163, 371, 1));
        QCOMPARE(lines[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(lines[0]->geometry(), QRect(7, 164, 370, 2));
        QCOMPARE(lines[0]->palette().color(QPalette::Window), QColor(255, 255, 255));

        const auto* title = box.findChild<QLabel*>("lblTitle");
        QCOMPARE(title->text(), QStringLiteral("Ворникат"));
        QCOMPARE(title->font().weight(), QFont::Bold);
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(box.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Версия 1.00"));
        auto* sysInfo = box.findChild<QPushButton*>("cmdSysInfo");
        QCOMPARE(QKeySequence::mnemonic(sysInfo->text()), QKeySequence(Qt::ALT | Qt::Key_S));
        QVERIFY(box.findChild<QPushButton*>("cmdOK")->isDefault());
    }

    // On a dark theme the About box's texts take the theme's colour, not the black meant for a
    // light window.
    void aboutBoxReadsOnADarkPalette() {
        const QPalette light = QApplication::palette();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
        dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
        QApplication::setPalette(dark);
        QDialog& box = quiz_->OpenAboutBox();
        int texts = 0;
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue;
            }
            ++texts;
            const QPalette shown = label->palette();
            QVERIFY2(ContrastRatio(shown.color(QPalette::WindowText),
                                   shown.color(QPalette::Window)) >= kBodyText,
                     qPrintable(label->objectName()));
        }
        QCOMPARE(texts, 4);
        box.close();
        QApplication::setPalette(light);
    }

    // A dock groups the window with its launcher: on Wayland by the desktop entry's name, on X11
    // by the class of the window that the entry names. Neither entry claims every text file.
    void desktopEntriesNameTheProgramsWindows() {
        NameApplication();
        const auto entry = [](const QString& name) {
            QSettings file(QStringLiteral(VORNIKAT_RESOURCES_DIR "/%1.desktop").arg(name),
                           QSettings::IniFormat);
            file.beginGroup("Desktop Entry");
            return std::map<QString, QString>{
                {"class", file.value("StartupWMClass").toString()},
                {"types", file.value("MimeType").toStringList().join(';')}};
        };
        QCOMPARE(QGuiApplication::desktopFileName(), "org.example.vornikat");
        QCOMPARE(entry(QGuiApplication::desktopFileName())["class"],
                 QCoreApplication::applicationName());
        QCOMPARE(entry("org.example.vornikat.editor")["class"], "vornikat-editor");
        QVERIFY(!entry("org.example.vornikat.editor")["types"].contains("text/plain"));
    }

    // The desktop's icons show the image the executable carries: the same pixels at 32 pixels,
    // each map pixel as a whole square at the multiples.
    void desktopIconsAreTheProgramIcon() {
        const auto program = ProgramIconImage().toImage().convertToFormat(QImage::Format_ARGB32);
        const QString theme = VORNIKAT_RESOURCES_DIR "/icons/hicolor/";
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage file(theme +
                              QStringLiteral("%1x%1/apps/org.example.vornikat.png").arg(size));
            QCOMPARE(file.size(), QSize(size, size));
            if (size % 32 == 0) {
                QCOMPARE(file.convertToFormat(QImage::Format_ARGB32),
                         program.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            }
        }
    }

    void aboutBoxFocusStartsOnOkAndGoesToTheIconThenSysInfo() {
        QDialog& box = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("picIcon"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdSysInfo"));
    }

    // One box for the run: a second click brings it to the front; a closed box is unloaded and
    // the next show builds it afresh from its design.
    void aboutBoxIsOneObjectLoadedAfreshAtEachShow() {
        QDialog& first = quiz_->OpenAboutBox();
        QDialog& again = quiz_->OpenAboutBox();
        QCOMPARE(&again, &first);
        int shown = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            shown += qobject_cast<QDialog*>(window) != nullptr && window->isVisible() ? 1 : 0;
        }
        QCOMPARE(shown, 1);

        QPointer<QDialog> closed = &first;
        first.findChild<QLabel*>("lblVersion")->setText("changed");
        first.move(0, 0);
        QTest::mouseClick(first.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCOMPARE(quiz_->frontEnd->Help().Window(), nullptr);
        QTRY_VERIFY(closed.isNull());

        QDialog& reloaded = quiz_->OpenAboutBox();
        QCOMPARE(reloaded.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Версия 1.00"));
        const QRect screen = reloaded.screen()->availableGeometry();
        QVERIFY(qAbs(reloaded.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(quiz_->Main().isVisible());
    }

    // The box offers no minimize button, yet a window manager may minimize it anyway.
    void helpMeRestoresAMinimizedAboutBox() {
        QDialog& box = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.showMinimized();
        QTRY_VERIFY(box.isMinimized());
        QTest::mouseClick(&quiz_->Control<QPushButton>("HelpMe"), Qt::LeftButton);
        QCOMPARE(quiz_->frontEnd->Help().Window(), &box);
        QVERIFY(!box.isMinimized());
        QVERIFY(box.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &box);
    }

    // Lines of a box break where the text breaks them, not where Qt would wrap a wide text.
    void messageBoxesKeepTheirLinesWhole() {
        const QString first = QStringLiteral(
            "Ну что же, вы ответили правильно на все вопросы, вы знаете о компьютерах всё");
        const QString second = QStringLiteral(
            "и даже больше, чем нужно знать простому смертному пользователю этой машины!");
        int labelWidth = 0;
        int lineWidth = 0;
        quiz_->boxes.Answer(QMessageBox::Ok, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            labelWidth = label->contentsRect().width();
            lineWidth = qMax(label->fontMetrics().horizontalAdvance(first),
                             label->fontMetrics().horizontalAdvance(second));
        });
        QtDialogs dialogs;
        dialogs.ShowMessage((first + QLatin1Char('\r') + second).toStdU16String(),
                            msgbox::kInformation | msgbox::kOkOnly);
        QVERIFY2(lineWidth > QGuiApplication::primaryScreen()->availableGeometry().width() / 2,
                 "lines wider than Qt keeps unwrapped");
        QVERIFY2(labelWidth >= lineWidth,
                 qPrintable(
                     QStringLiteral("%1 pixels for a line of %2").arg(labelWidth).arg(lineWidth)));
    }

    void enterEscAndTheCloseButtonCloseTheAboutBox() {
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
            QDialog& box = quiz_->OpenAboutBox();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(quiz_->frontEnd->Help().Window(), nullptr);
        }
        QDialog& box = quiz_->OpenAboutBox();
        box.close();
        QCOMPARE(quiz_->frontEnd->Help().Window(), nullptr);
        QVERIFY(quiz_->Main().isVisible());
    }

    // Enter on a focused cmdSysInfo runs the launcher, not the default button; with nothing
    // to start, the one box says so, over the About box, and the About box stays.
    void enterOnSysInfoRunsTheLauncher() {
        qputenv("PATH", "");
        QDialog& box = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.findChild<QPushButton*>("cmdSysInfo")->setFocus();
        const QWidget* owner = nullptr;
        quiz_->boxes.Answer(QMessageBox::Ok,
                            [&] { owner = QApplication::activeModalWidget()->parentWidget(); });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(owner, &box);
        QCOMPARE(quiz_->boxes.seen.size(), std::size_t{3});
        QCOMPARE(quiz_->boxes.seen.back().text,
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(quiz_->boxes.seen.back().icon, QMessageBox::NoIcon);
        QCOMPARE(quiz_->boxes.seen.back().buttons, QStringList{"OK"});
        QCOMPARE(quiz_->frontEnd->Help().Window(), &box);
    }

    // The About box is modeless: the countdown goes on beside it and a time-out is judged.
    void countdownRunsOutWithTheAboutBoxOpen() {
        QDialog& box = quiz_->OpenAboutBox();
        quiz_->Timer1().setInterval(2);
        QTRY_COMPARE_WITH_TIMEOUT(quiz_->Caption("LblC"), QStringLiteral("0/1"), 5000);
        QCOMPARE(quiz_->frontEnd->Help().Window(), &box);
        QVERIFY(box.isVisible());
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::WindowTest)
#include "window_test.moc"
