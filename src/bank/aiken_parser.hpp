// SPDX-License-Identifier: MIT
// Reads a question bank written in Aiken, the plain-text format quiz systems import and export,
// as people write it: labels "A)" or "A." in Latin letters or Russian ones ("А)", "Б.", in the
// order of either alphabet, lower case too), "ANSWER:" or "ОТВЕТ:" in any letter case with its
// letter in either alphabet, a question over several lines, blank lines or none.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "draft_bank.hpp"
#include "question_bank.hpp"

namespace vornikat::bank {

struct AikenQuestion {
    QuestionRecord record;
    SourcePosition question;                // where the question text starts
    std::array<SourcePosition, 5> options;  // where each option's text starts (after the label)
};

struct AikenParse {
    std::vector<AikenQuestion> questions;
    std::vector<Diagnostic> errors;
    bool stoppedEarly = false;  // the error limit was reached before the end of the source
    bool cancelled = false;     // the progress asked to stop: nothing else holds
};

inline constexpr std::size_t kMaxReportedErrors = 20;

// Even a draft's text has a limit, far beyond the bank's, so that a stray huge file is refused
// at once rather than read into the editor.
inline constexpr std::size_t kMaxDraftTextLength = std::size_t{1} << 20;

// Parses UTF-8 Aiken text into a bank data.bin can hold: questions are only usable when no
// error is reported. A question short of an option or an answer, or with one too many, is an
// error here.
AikenParse ParseAiken(std::string_view source, std::size_t maxErrors = kMaxReportedErrors,
                      Language language = Language::English, const ParseProgress& progress = {});

// Reads UTF-8 Aiken text as a draft for the editor: every question loads as it stands, short of
// options (the rest empty), with too many (kept in extraOptions), or with no answer (right
// option 0), with letters outside Windows-1251 and texts of any length. Its errors are lines
// that belong to no question; they are listed up to maxErrors, and the reading goes on to the
// end (stoppedEarly then says the list was cut). A text with no option line anywhere is no bank:
// no question, and one error that says so.
DraftBank ReadAikenDraft(std::string_view source, Language language = Language::Russian,
                         const ParseProgress& progress = {},
                         std::size_t maxErrors = kMaxReportedErrors);

// True when a line holding this text would be taken for an ANSWER line.
bool LooksLikeAnswerLine(std::u16string_view text);

// True when a line holding this text would be taken for an option of the question before.
bool LooksLikeOptionLine(std::u16string_view text);

}  // namespace vornikat::bank
