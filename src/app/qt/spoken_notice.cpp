// SPDX-License-Identifier: MIT
#include "spoken_notice.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace vornikat {
namespace {

const QString kNoticeName = QStringLiteral("vornikat_spoken_notice");

// A screen reader reads a notification as it comes up, and says nothing of a plain widget.
// A change of a control's name or description would not do: Qt 6.4 sends it without the new
// text, and Orca says nothing of it.
QAccessibleInterface* CreateNoticeAccessible(const QString& /*className*/, QObject* object) {
    if (object == nullptr || !object->isWidgetType() || object->objectName() != kNoticeName) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

SpokenNotice::SpokenNotice(QWidget& window) : notice_(new QWidget(&window)) {
    static const bool installed = [] {
        QAccessible::installFactory(CreateNoticeAccessible);
        return true;
    }();
    (void)installed;
    notice_->setObjectName(kNoticeName);
    notice_->setGeometry(0, 0, 0, 0);
    // Hidden until its first words, so that the window's coming up says nothing of it.
    notice_->setVisible(false);
}

void SpokenNotice::Say(const QString& text) {
    notice_->setAccessibleName(text);
    // Each showing is one saying.
    notice_->hide();
    notice_->show();
}

}  // namespace vornikat
