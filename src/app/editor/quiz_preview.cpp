// SPDX-License-Identifier: MIT
#include "quiz_preview.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "layout.hpp"
#include "program_icon.hpp"
#include "qt_text.hpp"
#include "question_check.hpp"

namespace vornikat::editor {
namespace {

constexpr std::array<std::string_view, bank::kOptionCount> kOptionNames = {"Ans1", "Ans2", "Ans3",
                                                                           "Ans4", "Ans5"};

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
    // The sign of the right option stands outside the window, level with its option.
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(frame);
    auto* marks = new QWidget(this);
    rightMark_ = new QLabel(QStringLiteral("◀ верный"), marks);
    rightMark_->setObjectName("previewRightMark");
    rightMark_->adjustSize();
    marks->setFixedWidth(rightMark_->width());
    row->addWidget(marks);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    ShowNothing();
}

void QuizPreview::ShowQuestion(const QuestionRecord& question, int number) {
    // What the quiz writes before a question: the counter of right answers over those
    // judged, and a minute on the clock; the first option selected.
    controls_.As<QLabel>("LblC").setText(QStringLiteral("0/") + QString::number(number));
    controls_.As<QLabel>("LblT").setText(QStringLiteral("1:00"));
    controls_.As<QLabel>("LblQ").setText(ToQString(question.question));
    for (int field = bank::kFirstOptionField; field <= bank::kLastOptionField; ++field) {
        controls_.As<QRadioButton>(OptionName(field))
            .setText(LiteralButtonText(bank::TextOf(question, field)));
    }
    controls_.As<QRadioButton>(OptionName(bank::kFirstOptionField)).setChecked(true);
    rightOption_ = question.rightOption;
    PlaceRightMark();
}

std::string_view QuizPreview::OptionName(int field) {
    return kOptionNames.at(static_cast<std::size_t>(field - bank::kFirstOptionField));
}

void QuizPreview::PlaceRightMark() {
    if (rightOption_ < bank::kFirstOptionField || rightOption_ > bank::kLastOptionField) {
        rightMark_->hide();
        return;
    }
    const QWidget& option = controls_.At(OptionName(rightOption_));
    const QPoint centre = option.mapTo(this, option.rect().center());
    QWidget* marks = rightMark_->parentWidget();
    rightMark_->move(0, marks->mapFrom(this, centre).y() - rightMark_->height() / 2);
    rightMark_->show();
}

void QuizPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceRightMark();
}

void QuizPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceRightMark();
}

void QuizPreview::ShowNothing() {
    ShowQuestion(QuestionRecord{}, 0);
}

}  // namespace vornikat::editor
