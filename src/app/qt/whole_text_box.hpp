// SPDX-License-Identifier: MIT
// A message box sized to show its whole text and its whole title, and that does not stay
// minimized: the sizing leans on Qt's own message box and, on Wayland, on Qt's title bar.
#pragma once

#include <QMessageBox>

namespace vornikat {

class WholeTextBox final : public QMessageBox {
  public:
    // Over the owner when there is one (a transient window of it), else in the middle of the
    // screen.
    WholeTextBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                 QWidget* owner);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FitToText();
    int TitleWidth() const;
};

}  // namespace vornikat
