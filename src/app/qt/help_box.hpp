// SPDX-License-Identifier: MIT
// frmHelp, the About box: one object for the whole run. Its window is loaded from the design at
// a show while it is closed, and unloaded when it is closed; the object stays for the next show.
#pragma once

#include <QDialog>
#include <QPointer>

namespace vornikat {

class Body;

class HelpBox {
  public:
    explicit HelpBox(Body& body) : body_(body) {}
    ~HelpBox();
    HelpBox(const HelpBox&) = delete;
    HelpBox& operator=(const HelpBox&) = delete;

    // Modeless and without owner; an open box is only brought to the front.
    void Show();
    // The window while the box is loaded, else nullptr.
    QDialog* Window() const { return window_.data(); }

  private:
    QDialog* Load();

    Body& body_;
    QPointer<QDialog> window_;
};

}  // namespace vornikat
