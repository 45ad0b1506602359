// SPDX-License-Identifier: MIT
#include "issue_label.hpp"

#include <QFontMetrics>

namespace vornikat::editor {

IssueLabel::IssueLabel(int lines, QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMinimumHeight(fontMetrics().lineSpacing() * lines);
    // Any width the form gives; the height the wrapped text needs at it.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void IssueLabel::SetIssues(const QString& text) {
    issues_ = text;
    setText(text);
}

}  // namespace vornikat::editor
