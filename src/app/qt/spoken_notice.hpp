// SPDX-License-Identifier: MIT
// A notice a screen reader says without moving the focus: news the window does not tell through
// a control taking the focus, such as a new question while the focus stays on its option.
#pragma once

#include <QString>

class QWidget;

namespace vornikat {

class SpokenNotice {
  public:
    // The notice lives in the window as a control of no size, which shows nothing.
    explicit SpokenNotice(QWidget& window);
    SpokenNotice(const SpokenNotice&) = delete;
    SpokenNotice& operator=(const SpokenNotice&) = delete;

    void Say(const QString& text);

  private:
    QWidget* notice_;
};

}  // namespace vornikat
