// SPDX-License-Identifier: MIT
// Main as a screen reader finds it: its parts in the order they are read, the question from the
// option in focus at every question, and names that say what the counter and countdown are.
#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "front_end_harness.hpp"
#include "spoken_captions.hpp"

namespace vornikat::testing {
namespace {

// The controls in reading order; the notice that says what no control tells is none of them.
QStringList ChildNames(QWidget& parent) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&parent);
    QStringList names;
    for (int i = 0; i < accessible->childCount(); ++i) {
        if (accessible->child(i)->role() != QAccessible::Notification) {
            names << accessible->child(i)->text(QAccessible::Name);
        }
    }
    return names;
}

QString AccessibleText(QWidget& widget, QAccessible::Text text) {
    return QAccessible::queryAccessibleInterface(&widget)->text(text);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private:
    UnexpectedEnd process_;
    std::unique_ptr<FrontEndHarness> quiz_;

    void ExpectQuestionOnEveryOption(const QString& question) {
        for (const char* name : {"Ans1", "Ans2", "Ans3", "Ans4", "Ans5"}) {
            QCOMPARE(AccessibleText(quiz_->Control(name), QAccessible::Description), question);
        }
    }

  private slots:
    void init() {
        quiz_ = std::make_unique<FrontEndHarness>(process_);
        quiz_->StartAndPlay();
    }

    void cleanup() {
        quiz_->VerifyBoxesSettled();
        quiz_.reset();
    }

    void mainIsReadQuestionFirstAndButtonsLast() {
        QCOMPARE(ChildNames(quiz_->Main()), (QStringList{"Вопрос", "Варианты ответов", "Счётчик",
                                                         "Таймер", "Дальше", "Выход", "Помощь"}));
        QCOMPARE(ChildNames(quiz_->Control("FrameA")),
                 (QStringList{"Ответ 1.1", "Ответ 1.2", "Ответ 1.3", "Ответ 1.4", "Ответ 1.5"}));
        QCOMPARE(ChildNames(quiz_->Control("FrameQ")), QStringList{"Вопрос 1"});
    }

    void everyQuestionIsHeardFromTheOptionInFocus() {
        QCOMPARE(QApplication::focusWidget(), &quiz_->Control("Ans1"));
        ExpectQuestionOnEveryOption("Вопрос 1");
        QTest::mouseClick(&quiz_->Control<QPushButton>("Nxt"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), &quiz_->Control("Ans1"));
        ExpectQuestionOnEveryOption("Вопрос 2");
    }

    void counterAndCountdownSayWhatTheyAre() {
        QCOMPARE(AccessibleText(quiz_->Control("LblC"), QAccessible::Name), "Счётчик: 0/0");
        QCOMPARE(AccessibleText(quiz_->Control("LblT"), QAccessible::Name), "Таймер: 1:00");
        QSignalSpy ticks(&quiz_->Timer1(), &QTimer::timeout);
        quiz_->Timer1().setInterval(5);
        QVERIFY(ticks.wait());
        QVERIFY(ticks.wait());
        quiz_->Timer1().stop();
        QCOMPARE(AccessibleText(quiz_->Control("LblT"), QAccessible::Name), "Таймер: 0:59");
        QTest::mouseClick(&quiz_->Control<QPushButton>("Nxt"), Qt::LeftButton);
        QCOMPARE(AccessibleText(quiz_->Control("LblC"), QAccessible::Name).left(9), "Счётчик: ");
        QCOMPARE(AccessibleText(quiz_->Control("LblC"), QAccessible::Name).mid(9),
                 quiz_->Caption("LblC"));
        // What they are is still said at more length to whoever asks.
        QCOMPARE(AccessibleText(quiz_->Control("LblT"), QAccessible::Description),
                 "Время, отведённое на ответ");
    }

    // A box's lines as a screen reader says them: no pause of a line break inside a word.
    void boxTextIsSaidInWholeWords() {
        const struct {
            const char16_t* shown;
            const char16_t* said;
        } cases[] = {
            {u"больше половины правиль\rных ответов", u"больше половины правильных ответов"},
            {u"Отлично, очень хорошо,\r ты уж точно", u"Отлично, очень хорошо, ты уж точно"},
            {u"такого ламота я \rещё не видел", u"такого ламота я ещё не видел"},
            {u"очков чуть-чуть ниже сред\rнего, но", u"очков чуть-чуть ниже среднего, но"},
            {u"зачем пришёл ?\rБудешь играть ?", u"зачем пришёл ? Будешь играть ?"},
            {u"отсутствует!\rНевосможно", u"отсутствует! Невосможно"},
        };
        for (const auto& box : cases) {
            QCOMPARE(JoinDisplayLines(QString::fromUtf16(box.shown)), QString::fromUtf16(box.said));
        }
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::AccessibilityTest)
#include "accessibility_test.moc"
