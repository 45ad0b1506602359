// SPDX-License-Identifier: MIT
#include "help_box.hpp"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include "body.hpp"
#include "design_builder.hpp"
#include "layout.hpp"
#include "spoken_captions.hpp"

namespace vornikat {

HelpBox::~HelpBox() {
    delete window_.data();
}

void HelpBox::Show() {
    QDialog* window = window_ ? window_.data() : Load();
    // A window manager may minimize the box though it offers no button for it.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    // Wayland has no request that brings back a minimized window, nor one that raises it: the
    // box shown anew is mapped again, in front.
    if (window->isVisible() &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window->hide();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

QDialog* HelpBox::Load() {
    // A dialog with no parent stays out of the taskbar (it is marked transient for the
    // program's hidden leader window) without staying on top of Main.
    auto* window = new QDialog;
    ApplyWindowDesign(HelpDesign(), *window);
    const BuiltControls controls = BuildControls(HelpDesign(), *window);
    NameTitleWithVersion(controls.As<QLabel>("lblTitle"), controls.As<QLabel>("lblVersion"));
    // cmdOK, Enter on it as the default button, Esc and the close button all close the box,
    // and a closed box is unloaded.
    QObject::connect(&controls.As<QPushButton>("cmdOK"), &QPushButton::clicked, window,
                     &QDialog::accept);
    QObject::connect(window, &QDialog::finished, window, [this, window] {
        window_.clear();
        window->deleteLater();
    });
    QObject::connect(&controls.As<QPushButton>("cmdSysInfo"), &QPushButton::clicked, window,
                     [this] { body_.OnSysInfoClick(); });
    window_ = window;
    return window;
}

}  // namespace vornikat
