// SPDX-License-Identifier: MIT
#include "quiz_preview.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
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

// The least the picture is drawn at: smaller, no word of it could be read.
constexpr int kLeastScaleDivisor = 4;

// The window at its own size where there is room, else as large as the room allows, whole and
// in its proportions.
QRect FitInto(const QSize& natural, const QRect& room) {
    return {room.topLeft(), natural.boundedTo(natural.scaled(room.size(), Qt::KeepAspectRatio))};
}

// Draws the window, scaled to the room it is given.
class Picture final : public QWidget {
  public:
    Picture(QWidget& window, QWidget* parent) : QWidget(parent), window_(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    QSize sizeHint() const override { return window_.size(); }
    QSize minimumSizeHint() const override { return window_.size() / kLeastScaleDivisor; }
    QRect Shown() const { return FitInto(window_.size(), rect()); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(Shown(), window_.grab());
    }

  private:
    QWidget& window_;
};

}  // namespace

QuizPreview::QuizPreview(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Так вопрос покажет викторина:"), this));
    // The window is shown, so that it is laid out and drawn as the quiz's, but out of sight:
    // its holder has no room to show it in.
    auto* holder = new QWidget(this);
    holder->setFixedSize(0, 0);
    window_ = new QWidget(holder);
    // A frame and a caption bar around the client area, so that it reads as a window.
    auto* frame = new QFrame(window_);
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
    auto* row = new QHBoxLayout(window_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(frame);
    auto* marks = new QWidget(window_);
    rightMark_ = new QLabel(QStringLiteral("◀ верный"), marks);
    rightMark_->setObjectName("previewRightMark");
    rightMark_->adjustSize();
    marks->setFixedWidth(rightMark_->width());
    row->addWidget(marks);
    window_->adjustSize();
    window_->setFixedSize(window_->size());
    picture_ = new Picture(*window_, this);
    layout->addWidget(picture_, 1);
    ShowNothing();
}

QRect QuizPreview::PictureRect() const {
    return static_cast<const Picture*>(picture_)->Shown().translated(picture_->pos());
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
    picture_->update();
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
    const QPoint centre = option.mapTo(window_, option.rect().center());
    QWidget* marks = rightMark_->parentWidget();
    rightMark_->move(0, marks->mapFrom(window_, centre).y() - rightMark_->height() / 2);
    rightMark_->show();
}

void QuizPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceRightMark();
}

void QuizPreview::ShowNothing() {
    ShowQuestion(QuestionRecord{}, 0);
}

}  // namespace vornikat::editor
