// SPDX-License-Identifier: MIT
#include "spoken_captions.hpp"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace vornikat {

void ArrangeReadingOrder(const WindowDesign& design, const BuiltControls& controls) {
    // Raising a widget moves it to the end of its parent's children, which is the order the
    // accessible tree lists them in; no two controls of one container overlap, so nothing shows.
    for (const ControlDesign* control : TabOrder(design)) {
        const auto found = controls.byName.find(control->name);
        if (found != controls.byName.end()) {
            found->second->raise();
        }
    }
}

void NameValueLabel(QLabel& label, const QString& value) {
    const auto* frame = qobject_cast<QGroupBox*>(label.parentWidget());
    label.setAccessibleName(frame == nullptr ? value
                                             : frame->title() + QStringLiteral(": ") + value);
}

void DescribeOptions(QWidget& group, const QString& question) {
    for (QRadioButton* option : group.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (option->accessibleDescription() != question) {
            option->setAccessibleDescription(question);
        } else if (option->hasFocus()) {
            // The same question again is still a new question: say it again.
            QAccessibleEvent event(option, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
}

}  // namespace vornikat
