// SPDX-License-Identifier: MIT
#include "issue_text.hpp"

#include "issue_words.hpp"
#include "readable_colors.hpp"

namespace vornikat::editor {

QString NameField(int field) {
    return QString::fromStdString(bank::NameField(field));
}

QString DescribeIssue(const bank::FieldIssue& issue) {
    return QString::fromStdString(bank::DescribeIssue(issue));
}

QString IssuePrefix(bank::Severity severity) {
    return QString::fromStdString(bank::IssuePrefix(severity));
}

QColor IssueColour(bank::Severity severity, const QColor& background) {
    return ReadableOn(
        severity == bank::Severity::Error ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00),
        background);
}

void MarkFlaggedField(QPalette& palette, bank::Severity severity) {
    const QColor mark =
        severity == bank::Severity::Error ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00);
    const QColor base = palette.color(QPalette::Base);
    const double share = IsDark(base) ? 0.3 : 0.15;
    const QColor tint =
        QColor::fromRgbF(static_cast<float>(base.redF() * (1 - share) + mark.redF() * share),
                         static_cast<float>(base.greenF() * (1 - share) + mark.greenF() * share),
                         static_cast<float>(base.blueF() * (1 - share) + mark.blueF() * share));
    palette.setColor(QPalette::Base, tint);
    palette.setColor(QPalette::Text, ReadableOn(palette.color(QPalette::Text), tint));
}

}  // namespace vornikat::editor
