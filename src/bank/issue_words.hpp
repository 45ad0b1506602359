// SPDX-License-Identifier: MIT
// The checks of a bank in the author's words, in UTF-8: the one wording the desktop editor and
// the editor page both show.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "question_check.hpp"

namespace vornikat::bank {

// "Вопрос", "Вариант 3", "Верный вариант".
std::string NameField(int field);
// What is wrong and what to do, without naming the field.
std::string DescribeIssue(const FieldIssue& issue);
// "Ошибка:" or "Внимание:", before an issue wherever it is shown.
std::string IssuePrefix(Severity severity);
// An issue as it stands beside its field: "Ошибка: ...".
std::string DescribeAtField(const FieldIssue& issue);
// An issue in a list of the whole bank: "Ошибка: вопрос 3, вариант 2: ..."; question -1 for the
// bank's own issue.
std::string DescribeInList(int question, const FieldIssue& issue);

// A question's place and issue, as a list of the bank's issues holds them.
struct PlacedIssue {
    int question = -1;
    FieldIssue issue;
};

// Up to limit of the issues that match as list lines, and "…и ещё N" for the rest.
std::vector<std::string> DescribeIssues(const std::vector<PlacedIssue>& issues,
                                        const std::function<bool(const FieldIssue&)>& which,
                                        int limit);

}  // namespace vornikat::bank
