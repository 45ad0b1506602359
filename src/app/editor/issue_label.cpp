// SPDX-License-Identifier: MIT
#include "issue_label.hpp"

#include <QFontMetrics>

namespace vornikat::editor {

IssueLabel::IssueLabel(int lines, QWidget* parent) : QLabel(parent), lines_(lines) {
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFixedHeight(fontMetrics().lineSpacing() * lines_);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void IssueLabel::SetIssues(const QString& text) {
    issues_ = text;
    setToolTip(text);
    ShowElided();
}

void IssueLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowElided();
}

void IssueLabel::ShowElided() {
    const QString text = QString(issues_).replace('\n', ' ');
    const QFontMetrics metrics = fontMetrics();
    const int room = metrics.lineSpacing() * lines_;
    // Wrapped at word ends as the label wraps them.
    const auto fits = [&](const QString& shown) {
        return metrics.boundingRect(QRect(0, 0, width(), room * 2), Qt::TextWordWrap, shown)
                   .height() <= room;
    };
    if (fits(text)) {
        setText(text);
        return;
    }
    // The longest start of the text that wraps into the lines with its ellipsis.
    const QString ellipsis(QChar(0x2026));
    qsizetype shown = 0;
    for (qsizetype high = text.size(); shown < high;) {
        const qsizetype middle = (shown + high + 1) / 2;
        if (fits(text.left(middle) + ellipsis)) {
            shown = middle;
        } else {
            high = middle - 1;
        }
    }
    setText(text.left(shown).trimmed() + ellipsis);
}

}  // namespace vornikat::editor
