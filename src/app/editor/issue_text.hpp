// SPDX-License-Identifier: MIT
// The checks of a bank in the author's words.
#pragma once

#include <QString>

#include "question_check.hpp"

namespace vornikat::editor {

// "Вопрос", "Вариант 3", "Верный вариант".
QString NameField(int field);
// What is wrong and what to do, without naming the field.
QString DescribeIssue(const bank::FieldIssue& issue);
// The bank-wide problem of its size, or an empty text when the size is fine.
QString DescribeQuestionCount(int count);

}  // namespace vornikat::editor
