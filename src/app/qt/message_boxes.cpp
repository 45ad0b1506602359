// SPDX-License-Identifier: MIT
#include "message_boxes.hpp"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include "layout.hpp"
#include "qt_text.hpp"
#include "runtime_error.hpp"

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

// Room beside the text for the icon and the box's margins.
constexpr int kBesideText = 100;

// A message box wraps any text wider than half the screen; the program's lines are written to
// be read whole, so the text keeps the width of its longest line while the screen has room.
void KeepLinesWhole(QMessageBox& box, const QString& text) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) {
        return;
    }
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
    }
    const int room = box.screen()->availableGeometry().width() - kBesideText;
    // A pixel to spare: the advance of a line is rounded.
    label->setMinimumWidth(qMin(widest + 1, room));
}

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
    QMessageBox box(IconOf(flags), ToQString(MainDesign().caption), shown, ButtonsOf(flags));
    box.setTextFormat(Qt::PlainText);
    KeepLinesWhole(box, shown);
    box.exec();
    return NumberOf(box.standardButton(box.clickedButton()));
}

void QtDialogs::ShowRuntimeError(const RuntimeError& error) {
    ShowMessage(error.BoxText(), msgbox::kCritical | msgbox::kOkOnly);
}

}  // namespace vornikat
