// SPDX-License-Identifier: MIT
// The dialog port: the modal message boxes the quiz core asks for, with the platform's numbers
// for icons, buttons and answers.
#pragma once

#include <QPointer>

#include "ports.hpp"

class QWidget;

namespace vornikat {

class QtDialogs final : public DialogPort {
  public:
    // The window a box opens over when no window of the program is active; none before it is
    // on the screen.
    void SetMainWindow(QWidget& window) { main_ = &window; }

    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;

  private:
    QPointer<QWidget> main_;
};

}  // namespace vornikat
