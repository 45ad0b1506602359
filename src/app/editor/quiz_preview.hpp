// SPDX-License-Identifier: MIT
// A picture of the quiz's main window showing one question: built by the quiz's own builder
// from the quiz's own design, so controls, sizes, fonts, wrapping and cut-off are the quiz's.
// It is only a picture: it takes neither clicks nor the focus. A sign beside it marks the
// right option, which the quiz itself never shows. Where the editor has less room than the
// window takes (a small screen, a large scale), the picture is drawn smaller, whole.
#pragma once

#include <QLabel>
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

    // The option the sign marks as right; 0 when none of the five.
    int RightOptionMarked() const { return rightMark_->isVisibleTo(window_) ? rightOption_ : 0; }

    // Where the window and its sign are drawn, in the preview's coordinates.
    QRect PictureRect() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    static std::string_view OptionName(int field);
    void PlaceRightMark();

    // The window and the sign at the quiz's own size, which the picture draws.
    QWidget* window_ = nullptr;
    QWidget* picture_ = nullptr;
    QWidget* client_ = nullptr;
    QLabel* rightMark_ = nullptr;
    int rightOption_ = 0;
    BuiltControls controls_;
};

}  // namespace vornikat::editor
