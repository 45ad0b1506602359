// SPDX-License-Identifier: MIT
#include "main_window.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "body.hpp"
#include "fonts.hpp"
#include "help_box.hpp"
#include "layout.hpp"
#include "program_icon.hpp"
#include "qt_text.hpp"
#include "runtime_error.hpp"
#include "spoken_captions.hpp"

namespace vornikat {

MainWindow::MainWindow() {
    // Interval 0 in the design: the timer stays stopped until the start-up gives it one.
    timer1_.setObjectName("Timer1");
    timer1_.setParent(this);
}

void MainWindow::Attach(Body& body, HelpBox& help) {
    body_ = &body;
    help_ = &help;
    connect(&timer1_, &QTimer::timeout, this, [&body] { body.OnTimerTick(); });
}

void MainWindow::Load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    AddClassicFonts();
    ApplyWindowDesign(MainDesign(), *this);
    setWindowIcon(ProgramIcon());
    controls_ = BuildControls(MainDesign(), *this);
    ArrangeReadingOrder(MainDesign(), controls_);
    // A click on «Дальше» leaves the focus on the option, where the next question is then said.
    // Taken by the button only while it is pressed, the focus would come back to that option
    // before a screen reader caught up, and it would say nothing.
    controls_.At("Nxt").setFocusPolicy(Qt::TabFocus);
    // The handlers reach the core through the window, which may be built before it is
    // attached (the bank editor's comparison builds one alone).
    connect(&controls_.As<QPushButton>("Nxt"), &QPushButton::clicked, this,
            [this] { body_->OnNxtClick(); });
    connect(&controls_.As<QPushButton>("Exit"), &QPushButton::clicked, this,
            [this] { body_->OnExitClick(); });
    connect(&controls_.As<QPushButton>("HelpMe"), &QPushButton::clicked, this,
            [this] { body_->RunGuarded([this] { help_->Show(); }); });
}

void MainWindow::SetCaption(ControlId control, std::u16string_view text) {
    Load();
    QWidget& widget = controls_.At(ControlName(control));
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        const QString caption = ToQString(text);
        label->setText(caption);
        if (control == ControlId::LblQ) {
            DescribeOptions(*Option(ControlId::Ans1).parentWidget(), caption);
        } else {
            NameValueLabel(*label, caption);
        }
        if (control == ControlId::LblT) {
            if (const QString warning = CountdownWarning(caption); !warning.isEmpty()) {
                notice_.Say(warning);
            }
        }
    } else {
        Option(control).setText(LiteralButtonText(text));
    }
}

std::int16_t MainWindow::GetValue(ControlId option) {
    return Option(option).isChecked() ? kTrue : kFalse;
}

void MainWindow::SetValue(ControlId option, std::int16_t value) {
    QRadioButton& button = Option(option);
    if (value != kFalse) {
        button.setChecked(true);
        return;
    }
    // An exclusive option cannot be cleared on its own; clearing leaves the group with none.
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(true);
}

void MainWindow::SetFocus(ControlId control) {
    Load();
    QWidget& widget = controls_.At(ControlName(control));
    // Where the focus stays, as at a time-out with the focus on the first option, no change of
    // focus tells a screen reader of the new question (the same one again too): it is said.
    if (widget.hasFocus()) {
        notice_.Say(SpokenFocus(widget));
    }
    widget.setFocus();
}

void MainWindow::SetTimerInterval(std::int32_t milliseconds) {
    // A QTimer of interval 0 would fire whenever the event loop is idle: 0 means stopped.
    if (milliseconds == 0) {
        timer1_.stop();
    } else {
        timer1_.start(milliseconds);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    body_->OnCloseRequest(cancel);
    event->setAccepted(cancel == 0);
}

QRadioButton& MainWindow::Option(ControlId option) {
    Load();
    return controls_.As<QRadioButton>(ControlName(option));
}

}  // namespace vornikat
