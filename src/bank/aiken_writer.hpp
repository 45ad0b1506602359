// SPDX-License-Identifier: MIT
// Writes a loaded question bank back as Aiken text.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "aiken_parser.hpp"
#include "draft_bank.hpp"
#include "question_bank.hpp"

namespace vornikat::bank {

struct AikenText {
    std::string text;                   // UTF-8, usable only when there are no problems
    std::vector<std::string> problems;  // what Aiken cannot carry, naming question and text
    bool stoppedEarly = false;
};

// Parsing the text gives back the same questions; a question Aiken cannot express (an empty
// or blank-edged text, a control character, a right option outside 1..5) is a problem
// rather than something written differently.
AikenText FormatAiken(std::span<const QuestionRecord> questions,
                      std::size_t maxProblems = kMaxReportedErrors,
                      Language language = Language::English);

// A draft as ReadAikenDraft gives it back: the options it has (at least one, and none missing
// before one that has a text), those past the fifth, and no ANSWER line for a right option 0.
AikenText FormatAikenDraft(std::span<const DraftQuestion> questions,
                           std::size_t maxProblems = kMaxReportedErrors,
                           Language language = Language::English);

}  // namespace vornikat::bank
