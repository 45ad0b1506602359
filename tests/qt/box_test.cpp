// SPDX-License-Identifier: MIT
// Every text the quiz puts in a box, shown in the desktop program's message box on the screen
// this run was given: each line whole where a box as wide as the screen can hold it, the text
// never cut, the box inside the screen.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <set>

#include "box_closer.hpp"
#include "fake_ports.hpp"
#include "fonts.hpp"
#include "message_boxes.hpp"
#include "qt_text.hpp"

namespace vornikat::testing {
namespace {

// The quiz's own ports, with every box text kept as well as traced.
class BoxTexts final : public FakePorts {
  public:
    int ShowMessage(std::u16string_view text, int flags) override {
        shown.emplace(std::u16string(text), flags);
        return FakePorts::ShowMessage(text, flags);
    }
    std::set<std::pair<std::u16string, int>> shown;
};

void StoreScore(MemoryRegistry& registry, const char* text) {
    constexpr std::string_view kKey = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
    registry.AddKey(kKey);
    if (text != nullptr) {
        const std::string data = std::string(text) + '\0';
        registry.PutValue(kKey, "LastScore", {reg::kSz, {data.begin(), data.end()}});
    }
}

// Runs the start-up with the given stored score (none: a first run; "": a key with no
// value), answered No and then Yes, and a whole test of 100 questions with `right` of them
// answered right.
void Play(BoxTexts& texts, const char* stored, bool storedKey, int right) {
    for (const int answer : {msgbox::kAnswerNo, msgbox::kAnswerYes}) {
        BoxTexts run;
        if (storedKey) {
            StoreScore(run.registry, stored);
        }
        run.files["data.bin"] = MakeBankBytes(100, 1);
        run.answers = {answer, msgbox::kAnswerOk, msgbox::kAnswerOk};
        Body body(run.AllPorts());
        try {
            body.OnLoad();
            for (int n = 1; n <= 100; ++n) {
                run.Select(n <= right ? 1 : 2);
                body.OnNxtClick();
            }
        } catch (const ProgramEnded&) {
        }
        texts.shown.insert(run.shown.begin(), run.shown.end());
    }
}

}  // namespace

class BoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { AddClassicFonts(); }

    void everyBoxShowsItsWholeText() {
        BoxTexts texts;
        const std::pair<const char*, bool> starts[] = {
            {nullptr, false}, {nullptr, true}, {" 0", true},  {" 40", true},
            {" 60", true},    {" 90", true},   {" 200", true}};
        const int rights[] = {0, 5, 20, 40, 60, 80, 95, 100};
        for (std::size_t i = 0; i < std::size(rights); ++i) {
            const auto& start = starts[i % std::size(starts)];
            Play(texts, start.first, start.second, rights[i]);
        }
        // Ten boxes of the start-up, eight verdicts.
        QCOMPARE(texts.shown.size(), std::size_t{18});

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        BoxCloser boxes;
        for (const auto& [text, flags] : texts.shown) {
            QString shown = ToQString(text);
            shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            QString problem;
            const bool yesNo = (flags & 0x0F) == msgbox::kYesNo;
            boxes.Answer(yesNo ? QMessageBox::No : QMessageBox::Ok, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                const QRect area = label->contentsRect();
                int widest = 0;
                for (const QString& line : shown.split(QLatin1Char('\n'))) {
                    widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
                }
                const QRect placed(label->mapTo(box, area.topLeft()), area.size());
                const int beside = placed.left() + box->layout()->contentsMargins().right();
                if (!box->rect().contains(placed)) {
                    problem = QStringLiteral("the text runs out of its box");
                } else if (box->width() > screen.width() || box->height() > screen.height()) {
                    problem = QStringLiteral("a box of %1x%2 on a screen of %3x%4")
                                  .arg(box->width())
                                  .arg(box->height())
                                  .arg(screen.width())
                                  .arg(screen.height());
                } else if (label->heightForWidth(area.width()) > area.height()) {
                    problem = QStringLiteral("the text needs %1 pixels of height, has %2")
                                  .arg(label->heightForWidth(area.width()))
                                  .arg(area.height());
                } else if (beside + widest + 16 < screen.width() && area.width() < widest) {
                    problem = QStringLiteral("a line of %1 pixels wrapped in %2")
                                  .arg(widest)
                                  .arg(area.width());
                }
            });
            QtDialogs().ShowMessage(text, flags);
            QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral(": ") + shown));
        }
        QCOMPARE(boxes.unexpected, 0);
    }

    // A window manager's minimize button on a box: the box comes back to be answered.
    void aMinimizedBoxComesBack() {
        BoxCloser boxes;
        bool back = false;
        boxes.Answer(QMessageBox::Ok, [&] {
            QWidget* box = QApplication::activeModalWidget();
            box->showMinimized();
            back = QTest::qWaitFor([box] { return !box->isMinimized() && box->isVisible(); });
        });
        QtDialogs().ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
        QVERIFY(back);
        QCOMPARE(boxes.unexpected, 0);
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::BoxTest)
#include "box_test.moc"
