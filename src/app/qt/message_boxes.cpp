// SPDX-License-Identifier: MIT
#include "message_boxes.hpp"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "fixed_window.hpp"
#include "layout.hpp"
#include "qt_text.hpp"
#include "runtime_error.hpp"
#include "spoken_captions.hpp"

namespace vornikat {
namespace {

constexpr int kButtonsMask = 0x0F;
constexpr int kIconMask = 0x70;

// The program asks only with OK alone or with Yes and No.
QMessageBox::StandardButtons ButtonsOf(int flags) {
    return (flags & kButtonsMask) == msgbox::kYesNo ? QMessageBox::Yes | QMessageBox::No
                                                    : QMessageBox::Ok;
}

QMessageBox::Icon IconOf(int flags) {
    switch (flags & kIconMask) {
        case msgbox::kCritical:
            return QMessageBox::Critical;
        case msgbox::kQuestion:
            return QMessageBox::Question;
        case msgbox::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// What a window manager's frame may take of the screen's width beside the box.
constexpr int kFrameAllowance = 16;

// A message box wraps any text wider than half the screen, and never grows past 1000 pixels
// however wide the screen; the program's lines are written to be read whole. This box keeps
// each line whole while the screen has room for it, and wraps at the screen's width only.
class WholeTextBox final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    bool event(QEvent* event) override {
        const bool handled = QMessageBox::event(event);
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::LayoutRequest:
            case QEvent::FontChange:
            case QEvent::StyleChange:
            case QEvent::ScreenChangeInternal:
                FitToText();
                break;
            case QEvent::WindowStateChange:
                // The box holds every other window of the program until it is answered: a
                // window manager's minimize would leave the player before windows that do
                // not answer and no box to find.
                if (isMinimized()) {
                    QTimer::singleShot(0, this, [this] {
                        setWindowState(windowState() & ~Qt::WindowMinimized);
                        show();
                        activateWindow();
                    });
                }
                break;
            default:
                break;
        }
        return handled;
    }

  private:
    void FitToText() {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label == nullptr || layout() == nullptr || !isVisible()) {
            return;
        }
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n'))) {
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        }
        label->setWordWrap(true);
        layout()->activate();
        const int besideText =
            layout()->totalMinimumSize().width() - label->minimumSizeHint().width();
        const int frame = qMax(frameGeometry().width() - geometry().width(), kFrameAllowance);
        const int room = screen()->availableGeometry().width() - frame;
        // A pixel to spare: the advance of a line is rounded.
        const int width = qMin(room, qMax(this->width(), besideText + widest + 1));
        const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                         : layout()->totalMinimumSize().height();
        if (size() != QSize(width, height)) {
            // The box was placed for the size Qt gave it; like every box of the program, which
            // has no owner window, it goes to the middle of the screen at its own.
            QRect placed(QPoint(), QSize(width, height));
            placed.moveCenter(screen()->availableGeometry().center());
            setFixedSize(width, height);
            move(placed.topLeft());
        }
        LeaveLargestSizeOpen(*this);
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }
};

int NumberOf(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return msgbox::kAnswerYes;
        case QMessageBox::No:
            return msgbox::kAnswerNo;
        default:
            return msgbox::kAnswerOk;
    }
}

}  // namespace

int QtDialogs::ShowMessage(std::u16string_view text, int flags) {
    // Lines of the program's texts are joined by a lone carriage return.
    QString shown = ToQString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    WholeTextBox box(IconOf(flags), ToQString(MainDesign().caption), shown, ButtonsOf(flags));
    box.setTextFormat(Qt::PlainText);
    // The text's label is Qt's own, found by its internal name: its accessible name is what a
    // screen reader says, without the pause of a line break in the middle of a word.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->setAccessibleName(JoinDisplayLines(ToQString(text)));
    }
    KeepSizeFixed(box);
    box.exec();
    return NumberOf(box.standardButton(box.clickedButton()));
}

void QtDialogs::ShowRuntimeError(const RuntimeError& error) {
    ShowMessage(error.BoxText(), msgbox::kCritical | msgbox::kOkOnly);
}

}  // namespace vornikat
