// SPDX-License-Identifier: MIT
// The checks of one question, field by field, for an editor that shows each problem at the text
// it concerns. The limits are those of data.bin; the fit is the estimate the bank tool uses.
#pragma once

#include <cstddef>
#include <vector>

#include "question_bank.hpp"

namespace vornikat::bank {

// The fields of a question: its text, its five options, and the number of the right option.
inline constexpr int kQuestionField = 0;
inline constexpr int kRightOptionField = 6;

enum class Severity { Warning, Error };

enum class IssueKind {
    NotInCodePage,     // a character with no Windows-1251 code: `character`, at `position`
    TooLong,           // more characters than a text holds: `amount` is the length
    Empty,             // the format allows it, but the quiz shows nothing
    MayNotFit,         // question: `amount` lines; option: `amount` pixels
    ControlCharacter,  // loads, but an Aiken line cannot carry it: `character`
    BlankAtEdge,       // Aiken drops a blank at either end of a line
    LooksLikeAnswer,   // a question text that Aiken would read back as its ANSWER line
    RightOutOfRange,   // a right option outside 1..5 (only a data.bin can hold one): `amount`
};

struct FieldIssue {
    int field = kQuestionField;
    Severity severity = Severity::Warning;
    IssueKind kind = IssueKind::Empty;
    char32_t character = 0;
    int position = 0;  // 0-based, in UTF-16 units
    int amount = 0;
};

// Every problem of the question, in field order. A misfit is an error when requireFit is set.
std::vector<FieldIssue> CheckQuestion(const QuestionRecord& question, bool requireFit);

// Whether a bank of this many questions can be stored.
bool IsStorableQuestionCount(std::size_t count);

}  // namespace vornikat::bank
