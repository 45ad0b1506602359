// SPDX-License-Identifier: MIT
// Loaded into an installed or unpacked program (LD_PRELOAD), this plays it as a new user
// would, offscreen: "Yes" to the greeting, OK to what follows, then, once the main window
// shows its first question, Exit and OK to the goodbye. It reports on stderr what it saw, so
// that a check can tell that the program found its bank and reached its main window.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void Report(const char* what, const QString& text) {
    std::fprintf(stderr, "play-driver: %s: %s\n", what, text.toUtf8().constData());
}

class PlayDriver : public QObject {
  public:
    PlayDriver() : QObject(QCoreApplication::instance()) {
        poll_.setInterval(20);
        connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
        poll_.start();
    }

  private:
    void Poll() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            AnswerBox(*box);
            return;
        }
        if (leaving_) {
            return;
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const auto* question = window->findChild<QLabel*>("LblQ");
            auto* exit = window->findChild<QPushButton*>("Exit");
            if (window->isVisible() && question != nullptr && exit != nullptr &&
                !question->text().isEmpty()) {
                Report("main window", question->text());
                leaving_ = true;
                Press(*exit);
                return;
            }
        }
    }

    void AnswerBox(QMessageBox& box) {
        if (!box.isVisible() || &box == answered_) {
            return;
        }
        answered_ = &box;
        Report("box", box.text());
        QAbstractButton* button = box.button(QMessageBox::Yes);
        if (button == nullptr) {
            button = box.buttons().front();
        }
        Press(*button);
    }

    // Pressed from the event loop: a press that opens a modal box runs a loop of its own,
    // in which this poll's timer would not fire again.
    static void Press(QAbstractButton& button) {
        QMetaObject::invokeMethod(&button, &QAbstractButton::click, Qt::QueuedConnection);
    }

    QTimer poll_;
    QPointer<QMessageBox> answered_;
    bool leaving_ = false;
};

void StartPlayDriver() {
    new PlayDriver;
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartPlayDriver)
