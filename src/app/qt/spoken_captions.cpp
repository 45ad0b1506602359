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
        option->setAccessibleDescription(question);
    }
}

QString SpokenFocus(QWidget& control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
    const QString description = accessible->text(QAccessible::Description);
    const QString name = accessible->text(QAccessible::Name);
    return description.isEmpty() ? name : description + QLatin1Char('\n') + name;
}

QString CountdownWarning(const QString& caption) {
    return caption == QStringLiteral("0:10") ? QStringLiteral("Осталось 10 секунд") : QString();
}

QString JoinDisplayLines(const QString& text) {
    QString joined;
    joined.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r')) {
            joined += text[i];
            continue;
        }
        const QChar before = i > 0 ? text[i - 1] : QChar(u' ');
        const QChar after = i + 1 < text.size() ? text[i + 1] : QChar(u' ');
        // A break inside a word joins its halves; beside a space it is left out; between two
        // sentences it becomes the space between them.
        if (!before.isSpace() && !after.isSpace() &&
            !(before.isLetterOrNumber() && after.isLetterOrNumber())) {
            joined += QLatin1Char(' ');
        }
    }
    return joined;
}

void NameTitleWithVersion(QLabel& title, const QLabel& version) {
    title.setAccessibleName(title.text() + QLatin1Char(' ') + version.text());
}

}  // namespace vornikat
