// SPDX-License-Identifier: MIT
// The checks of one question, field by field, for an editor that shows each problem at the text
// it concerns. The limits are those of data.bin; the fit is what the given measure of the quiz
// window says (the editor's is the window itself).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "draft_bank.hpp"
#include "question_bank.hpp"
#include "text_measure.hpp"

namespace vornikat::bank {

// The fields of a question: its text, its five options (field k is option k), the number of
// the right option, and in a draft the options past the fifth.
inline constexpr int kQuestionField = 0;
inline constexpr int kOptionCount = 5;
inline constexpr int kFirstOptionField = 1;
inline constexpr int kLastOptionField = kOptionCount;
inline constexpr int kTextFieldCount = kOptionCount + 1;
inline constexpr int kRightOptionField = kTextFieldCount;
inline constexpr int kExtraOptionField = kRightOptionField + 1;
inline constexpr int kFieldCount = kExtraOptionField + 1;

// The text of a text field.
const std::u16string& TextOf(const QuestionRecord& question, int field);
std::u16string& TextOf(QuestionRecord& question, int field);

enum class Severity { Warning, Error };

enum class IssueKind {
    NotInCodePage,     // a character with no Windows-1251 code: `character`, at `position`
    TooLong,           // more characters than a text holds: `amount` is the length
    Empty,             // the format allows it, but the quiz shows nothing
    MayNotFit,         // the window cuts the text: `room` (question: lines; option: pixels)
    ControlCharacter,  // loads, but an Aiken line cannot carry it: `character`
    BlankAtEdge,       // Aiken drops a blank at either end of a line
    LooksLikeAnswer,   // a question text that Aiken would read back as its ANSWER line
    RightOutOfRange,   // a right option outside 1..5 (only a data.bin can hold one): `amount`
    NoRightOption,     // right option 0: the source named none
    MissingOption,     // a draft's option its source did not have, still empty
    ExtraOption,       // a draft's options past the fifth: `amount` of them
    RightIsExtra,      // a draft's right option is one past the fifth: `amount`
    EmptyRightOption,  // the right option's text is empty: the player must pick a blank line
    QuestionCount,     // the bank as a whole holds `amount` questions, none or too many
};

struct FieldIssue {
    int field = kQuestionField;
    Severity severity = Severity::Warning;
    IssueKind kind = IssueKind::Empty;
    char32_t character = 0;
    int position = 0;  // 0-based, in UTF-16 units
    int amount = 0;
    TextRoom room = {};
};

// Every problem of the question, in field order, its fit as the measure finds it. A misfit is an
// error when requireFit is set.
std::vector<FieldIssue> CheckQuestion(const QuestionRecord& question, bool requireFit,
                                      const TextMeasure& measure);

// The checks of a question and of what its source left wrong: options it lacked, options past
// the fifth, a right option among those.
std::vector<FieldIssue> CheckDraftQuestion(const DraftQuestion& draft, bool requireFit,
                                           const TextMeasure& measure);

// Whether a bank of this many questions can be stored.
bool IsStorableQuestionCount(std::size_t count);

// The bank-wide issue of its size, an error, when the bank cannot store that many questions.
std::optional<FieldIssue> CheckQuestionCount(std::size_t count);

// What keeps a bank from being stored as data.bin or played.
inline bool IsError(const FieldIssue& issue) {
    return issue.severity == Severity::Error;
}
int CountErrors(const std::vector<FieldIssue>& issues);
// What a line of Aiken text cannot carry, so that no Aiken text, not even a draft, can hold it:
// an empty question, a blank at either end, a control character, a question that reads as an
// ANSWER line, a right option outside 1..5 but none at all or one of a draft's extra options.
bool KeepsFromAiken(const FieldIssue& issue);

}  // namespace vornikat::bank
