// SPDX-License-Identifier: MIT
// Answers the program's message boxes as a user would, and records each one. A box that comes
// with no answer queued is recorded as unexpected and closed, so that a test fails on it
// instead of waiting for ever.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace vornikat::testing {

class BoxCloser : public QObject {
  public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;  // their texts, access-key marks removed
        bool windowShown;     // whether the watched window was on the screen meanwhile
    };

    BoxCloser();

    // The window whose presence each box records.
    void Watch(QWidget* window) { watched_ = window; }
    // The answer to the next box; whileOpen runs first, with the box on the screen.
    void Answer(QMessageBox::StandardButton button, std::function<void()> whileOpen = {});

    std::vector<Seen> seen;
    int unexpected = 0;
    bool Idle() const { return pending_.empty(); }

  private:
    struct Pending {
        QMessageBox::StandardButton button;
        std::function<void()> whileOpen;
    };

    void Poll();

    QTimer poll_;
    std::deque<Pending> pending_;
    QPointer<QMessageBox> handled_;
    QPointer<QWidget> watched_;
};

}  // namespace vornikat::testing
