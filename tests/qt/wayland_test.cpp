// SPDX-License-Identifier: MIT
// The windows under a Wayland compositor: a window of fixed size that the compositor
// maximizes or puts full screen anyway keeps the program running and comes back to its size.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "front_end_harness.hpp"
#include "message_boxes.hpp"

namespace vornikat::testing {
namespace {

// Asks the compositor for each state a fixed window must not keep, as the window system
// would (the widget learns of it only from the compositor's answer), and waits until the
// window is back in its normal state at its own size.
void ExpectSizeKeptThroughEveryState(QWidget& window) {
    const QSize size = window.size();
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        window.windowHandle()->setWindowStates(state);
        QTest::qWait(300);
        QTRY_VERIFY(!(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)));
        QTRY_COMPARE(window.size(), size);
    }
}

}  // namespace

class WaylandTest : public QObject {
    Q_OBJECT

  private:
    UnexpectedEnd process_;
    std::unique_ptr<FrontEndHarness> quiz_;

  private slots:
    void init() {
        quiz_ = std::make_unique<FrontEndHarness>(process_);
        quiz_->StartAndPlay();
    }

    void cleanup() {
        quiz_->VerifyBoxesSettled();
        quiz_.reset();
    }

    void mainWindowKeepsItsSize() {
        QVERIFY(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
        QCOMPARE(quiz_->Main().size(), QSize(425, 272));
        ExpectSizeKeptThroughEveryState(quiz_->Main());
        QCOMPARE(quiz_->Main().size(), QSize(425, 272));
    }

    void aboutBoxKeepsItsSize() {
        QDialog& box = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        ExpectSizeKeptThroughEveryState(box);
    }

    void messageBoxKeepsItsSize() {
        quiz_->boxes.Answer(QMessageBox::Ok, [] {
            auto* box = QApplication::activeModalWidget();
            QVERIFY(QTest::qWaitForWindowExposed(box));
            ExpectSizeKeptThroughEveryState(*box);
        });
        QtDialogs().ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::WaylandTest)
#include "wayland_test.moc"
