// SPDX-License-Identifier: MIT
// The checks of a bank in the author's words, and the one look every place gives them.
#pragma once

#include <QColor>
#include <QString>

#include "question_check.hpp"

namespace vornikat::editor {

// "Вопрос", "Вариант 3", "Верный вариант".
QString NameField(int field);
// What is wrong and what to do, without naming the field.
QString DescribeIssue(const bank::FieldIssue& issue);
// "Ошибка:" or "Внимание:", before an issue wherever it is shown.
QString IssuePrefix(bank::Severity severity);
// The text colour of an issue, in the form, the issue list and the question list, readable on
// the application's palette, light or dark.
QColor IssueColour(bank::Severity severity);
// The background of a field that has an issue, under the palette's text colour.
QColor FlaggedFieldColour(bank::Severity severity);

}  // namespace vornikat::editor
