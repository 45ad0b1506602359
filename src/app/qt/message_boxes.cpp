#include "message_boxes.hpp"

#include <QAbstractButton>
#include <QMessageBox>

#include "qt_text.hpp"
#include "runtime_error.hpp"

namespace vornikat {
namespace {

constexpr int kButtonsMask = 0x0F;
constexpr int kIconMask = 0x70;
constexpr int kExclamation = 48;

struct Answer {
    QMessageBox::StandardButton button;
    int number;
};

constexpr Answer kAnswers[] = {
    {QMessageBox::Ok, msgbox::kAnswerOk},
    {QMessageBox::Cancel, 2},
    {QMessageBox::Abort, 3},
    {QMessageBox::Retry, 4},
    {QMessageBox::Ignore, 5},
    {QMessageBox::Yes, msgbox::kAnswerYes},
    {QMessageBox::No, msgbox::kAnswerNo},
};

QMessageBox::StandardButtons ButtonsOf(int flags) {
    switch (flags & kButtonsMask) {
        case 1:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case 2:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case 3:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case msgbox::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case 5:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(int flags) {
    switch (flags & kIconMask) {
        case msgbox::kCritical:
            return QMessageBox::Critical;
        case msgbox::kQuestion:
            return QMessageBox::Question;
        case kExclamation:
            return QMessageBox::Warning;
        case msgbox::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int NumberOf(QMessageBox::StandardButton button) {
    for (const Answer& answer : kAnswers) {
        if (answer.button == button) {
            return answer.number;
        }
    }
    return msgbox::kAnswerOk;
}

}  // namespace

int QtDialogs::ShowMessage(std::u16string_view text, int flags) {
    // Lines of the program's texts are joined by a lone carriage return.
    QString shown = ToQString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(IconOf(flags), QStringLiteral("Ворникат"), shown, ButtonsOf(flags));
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return NumberOf(box.standardButton(box.clickedButton()));
}

void QtDialogs::ShowRuntimeError(const RuntimeError& error) {
    ShowMessage(error.BoxText(), msgbox::kCritical | msgbox::kOkOnly);
}

}  // namespace vornikat
