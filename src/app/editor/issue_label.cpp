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
    // Lines wrap at word ends, short of the full width: a fifth of the room is left to spare.
    const int room = width() * lines_ * 4 / 5;
    setText(fontMetrics().elidedText(QString(issues_).replace('\n', ' '), Qt::ElideRight, room));
}

}  // namespace vornikat::editor
