// SPDX-License-Identifier: MIT
// A picture of the quiz's main window showing one question: built by the quiz's own builder
// from the quiz's own design, so controls, sizes, fonts, wrapping and cut-off are the quiz's.
// It is only a picture: it takes neither clicks nor the focus.
#pragma once

#include <QWidget>

#include "design_builder.hpp"
#include "question_bank.hpp"

namespace vornikat::editor {

class QuizPreview final : public QWidget {
  public:
    explicit QuizPreview(QWidget* parent = nullptr);

    // The window as the quiz shows the question of this 0-based number, none answered yet.
    void ShowQuestion(const QuestionRecord& question, int number);
    void ShowNothing();

    // The window's controls, by their names in the design.
    QWidget& Control(std::string_view name) const { return controls_.At(name); }

  private:
    QWidget* client_ = nullptr;
    BuiltControls controls_;
};

}  // namespace vornikat::editor
