// SPDX-License-Identifier: MIT
// The checks of a bank in the author's words (issue_words.hpp, which the page shares), and the
// one look every place gives them.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include "question_check.hpp"

namespace vornikat::editor {

// "Вопрос", "Вариант 3", "Верный вариант".
QString NameField(int field);
// What is wrong and what to do, without naming the field.
QString DescribeIssue(const bank::FieldIssue& issue);
// "Ошибка:" or "Внимание:", before an issue wherever it is shown.
QString IssuePrefix(bank::Severity severity);
// The text colour of an issue, in the form, the issue list and the question list.
QColor IssueColour(bank::Severity severity, const QColor& background);
// Marks a flagged field: its background tinted by the issue's colour, light or dark as the theme
// is, and its text set with it so that the two always read together.
void MarkFlaggedField(QPalette& palette, bank::Severity severity);

}  // namespace vornikat::editor
