// SPDX-License-Identifier: MIT
#include "quiz_preview.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "layout.hpp"
#include "program_icon.hpp"
#include "qt_text.hpp"

namespace vornikat::editor {
namespace {

constexpr std::string_view kOptionNames[] = {"Ans1", "Ans2", "Ans3", "Ans4", "Ans5"};

}  // namespace

QuizPreview::QuizPreview(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Так вопрос покажет викторина:"), this));
    // A frame and a caption bar around the client area, so that it reads as a window.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(2, 2, 2, 2);
    inside->setSpacing(0);
    auto* captionBar = new QWidget(frame);
    captionBar->setAutoFillBackground(true);
    QPalette barPalette = captionBar->palette();
    barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
    barPalette.setColor(QPalette::WindowText, barPalette.color(QPalette::HighlightedText));
    captionBar->setPalette(barPalette);
    auto* bar = new QHBoxLayout(captionBar);
    bar->setContentsMargins(4, 2, 4, 2);
    auto* icon = new QLabel(captionBar);
    icon->setPixmap(ProgramIcon().pixmap(16, 16));
    bar->addWidget(icon);
    auto* title = new QLabel(ToQString(MainDesign().caption), captionBar);
    title->setObjectName("previewCaption");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    bar->addWidget(title, 1);
    inside->addWidget(captionBar);
    client_ = new QWidget(frame);
    client_->setObjectName("previewClient");
    client_->setAutoFillBackground(true);
    // A picture of the window: clicks and the focus pass it by.
    client_->setAttribute(Qt::WA_TransparentForMouseEvents);
    client_->setFocusPolicy(Qt::NoFocus);
    ApplyClientDesign(MainDesign(), *client_);
    controls_ = BuildControls(MainDesign(), *client_);
    for (const auto& [name, widget] : controls_.byName) {
        widget->setFocusPolicy(Qt::NoFocus);
        widget->setToolTip({});
    }
    if (controls_.firstFocus != nullptr) {
        controls_.firstFocus->clearFocus();
    }
    inside->addWidget(client_);
    layout->addWidget(frame, 0, Qt::AlignLeft);
    layout->addStretch();
    ShowNothing();
}

void QuizPreview::ShowQuestion(const QuestionRecord& question, int number) {
    // What the quiz writes before a question: the counter of right answers over those
    // judged, and a minute on the clock; the first option selected.
    static_cast<QLabel&>(controls_.At("LblC"))
        .setText(QStringLiteral("0/") + QString::number(number));
    static_cast<QLabel&>(controls_.At("LblT")).setText(QStringLiteral("1:00"));
    static_cast<QLabel&>(controls_.At("LblQ")).setText(ToQString(question.question));
    for (std::size_t k = 0; k < question.options.size(); ++k) {
        static_cast<QRadioButton&>(controls_.At(kOptionNames[k]))
            .setText(LiteralButtonText(question.options[k]));
    }
    static_cast<QRadioButton&>(controls_.At("Ans1")).setChecked(true);
}

void QuizPreview::ShowNothing() {
    ShowQuestion(QuestionRecord{}, 0);
}

}  // namespace vornikat::editor
