// SPDX-License-Identifier: MIT
#include "message_boxes.hpp"

#include <QApplication>
#include <QLabel>

#include "fixed_window.hpp"
#include "layout.hpp"
#include "qt_text.hpp"
#include "runtime_error.hpp"
#include "spoken_captions.hpp"
#include "whole_text_box.hpp"

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

// The box belongs to the window the player is at (the About box for its launcher's failure),
// else to Main once it is on the screen, so that it opens over it on every window system: on
// Wayland only a transient parent places a window. The start-up's boxes have none.
QWidget* OwnerOfBox(QWidget* main) {
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->isVisible()) {
        return active;
    }
    return main != nullptr && main->isVisible() ? main : nullptr;
}

}  // namespace

int QtDialogs::ShowMessage(std::u16string_view text, int flags) {
    // Lines of the program's texts are joined by a lone carriage return.
    QString shown = ToQString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Held by a guard: an owner that goes while the box is open takes the box with it.
    QPointer<WholeTextBox> box = new WholeTextBox(IconOf(flags), ToQString(MainDesign().caption),
                                                  shown, ButtonsOf(flags), OwnerOfBox(main_));
    box->setTextFormat(Qt::PlainText);
    // The text's label is Qt's own, found by its internal name: its accessible name is what a
    // screen reader says, without the pause of a line break in the middle of a word.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->setAccessibleName(JoinDisplayLines(ToQString(text)));
    }
    KeepSizeFixed(*box);
    box->exec();
    if (box.isNull()) {
        return NumberOf(QMessageBox::NoButton);
    }
    const int answer = NumberOf(box->standardButton(box->clickedButton()));
    delete box.data();
    return answer;
}

void QtDialogs::ShowRuntimeError(const RuntimeError& error) {
    ShowMessage(error.BoxText(), msgbox::kCritical | msgbox::kOkOnly);
}

}  // namespace vornikat
