// SPDX-License-Identifier: MIT
// The windows under a Wayland compositor: a window of fixed size that the compositor
// maximizes or puts full screen anyway keeps the program running and comes back to its size;
// under a tiling compositor that draws the title bars, every window floats at its size and a
// box opens over its window.
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QWindow>
#include <functional>

#include "front_end_harness.hpp"
#include "message_boxes.hpp"

namespace vornikat::testing {
namespace {

// Within it a window comes back from a state it must not keep, or the compositor shows it.
constexpr int kSettleMs = 2000;

// Asks the compositor for each state a fixed window must not keep, as the window system
// would (the widget learns of it only from the compositor's answer), and waits until the
// window is back in its normal state at its own size.
void ExpectSizeKeptThroughEveryState(QWidget& window) {
    const QSize size = window.size();
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        window.windowHandle()->setWindowStates(state);
        QTest::qWait(300);
        QTRY_VERIFY2_WITH_TIMEOUT(
            !(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)),
            "the window stays maximized or full screen", kSettleMs);
        QTRY_COMPARE_WITH_TIMEOUT(window.size(), size, kSettleMs);
    }
}

// A window of this process as the tiling compositor holds it: floating or tiled, where its
// frame is, and the size of its content.
struct View {
    bool floating;
    QRect frame;
    QSize content;
};

QRect RectOf(const QJsonValue& value) {
    const QJsonObject rect = value.toObject();
    return {rect["x"].toInt(), rect["y"].toInt(), rect["width"].toInt(), rect["height"].toInt()};
}

std::vector<View> ViewsOfThisProcess() {
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"), {"-r", "-t", "get_tree"});
    if (!swaymsg.waitForFinished(kSettleMs)) {
        return {};
    }
    std::vector<View> views;
    const std::function<void(const QJsonObject&)> walk = [&](const QJsonObject& node) {
        if (node["pid"].toInteger() == QCoreApplication::applicationPid()) {
            views.push_back({node["type"].toString() == QLatin1String("floating_con"),
                             RectOf(node["rect"]), RectOf(node["window_rect"]).size()});
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue& child : node[QLatin1String(children)].toArray()) {
                walk(child.toObject());
            }
        }
    };
    walk(QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object());
    return views;
}

// The compositor's view of the window of that size: floating at it.
const View* FloatingView(const std::vector<View>& views, QSize size) {
    for (const View& view : views) {
        if (view.floating && view.content == size) {
            return &view;
        }
    }
    return nullptr;
}

QString Describe(const std::vector<View>& views) {
    QStringList described;
    for (const View& view : views) {
        described << QStringLiteral("%1 %2x%3")
                         .arg(view.floating ? "floating" : "tiled")
                         .arg(view.content.width())
                         .arg(view.content.height());
    }
    return described.join(QStringLiteral(", "));
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

    // With the compositor's title bars (sway): Main, a box over it and the About box float.
    void everyWindowFloatsAtItsSize() {
        QWidget& main = quiz_->Main();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        std::vector<View> views;
        quiz_->boxes.Answer(QMessageBox::Ok, [&] {
            auto* box = QApplication::activeModalWidget();
            QVERIFY(QTest::qWaitForWindowExposed(box));
            QTRY_VERIFY2_WITH_TIMEOUT(
                FloatingView(views = ViewsOfThisProcess(), main.size()) != nullptr &&
                    FloatingView(views, box->size()) != nullptr,
                qPrintable(Describe(views)), kSettleMs);
            const QRect over = FloatingView(views, main.size())->frame;
            QVERIFY2(over.contains(FloatingView(views, box->size())->frame.center()),
                     "the box is not over Main");
        });
        QtDialogs dialogs;
        dialogs.SetMainWindow(main);
        dialogs.ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);

        QDialog& about = quiz_->OpenAboutBox();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTRY_VERIFY2_WITH_TIMEOUT(FloatingView(views = ViewsOfThisProcess(), about.size()),
                                  qPrintable(Describe(views)), kSettleMs);
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::WaylandTest)
#include "wayland_test.moc"
