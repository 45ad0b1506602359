// SPDX-License-Identifier: MIT
// Main, the quiz window: built from its design, its events handed to the quiz core.
#pragma once

#include <QTimer>
#include <QWidget>

#include "design_builder.hpp"
#include "ports.hpp"
#include "spoken_notice.hpp"

class QRadioButton;

namespace vornikat {

class Body;
class HelpBox;

class MainWindow final : public QWidget, public MainWindowPort {
  public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The quiz the events go to and the About box HelpMe shows; set before any event comes.
    void Attach(Body& body, HelpBox& help);
    // Builds the window from its design, with the classic faces it is drawn in, once: before
    // it is first shown or its controls first used, so that a greeting box comes up without
    // waiting for it.
    void Load();

    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;

  protected:
    // Any close request (the close button, the system menu, Alt+F4) goes to the quiz.
    void closeEvent(QCloseEvent* event) override;

  private:
    QRadioButton& Option(ControlId option);

    BuiltControls controls_;
    QTimer timer1_;
    SpokenNotice notice_{*this};
    Body* body_ = nullptr;
    HelpBox* help_ = nullptr;
    bool loaded_ = false;
};

}  // namespace vornikat
