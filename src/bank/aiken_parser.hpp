// SPDX-License-Identifier: MIT
// Reads a question bank written in Aiken, the plain-text format quiz systems import and export.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
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

// Storable: only what data.bin can hold is read without error. Any: a draft, where a letter
// outside Windows-1251, an overlong text and a bank of no or too many questions are read as they
// stand, for an editor that flags them.
enum class TextRule { Storable, Any };
// Even a draft's text has a limit, far beyond the bank's, so that a stray huge file is refused
// at once rather than read into the editor.
inline constexpr std::size_t kMaxDraftTextLength = std::size_t{1} << 20;

// Parses UTF-8 Aiken text. Questions are only usable when no error is reported.
AikenParse ParseAiken(std::string_view source, std::size_t maxErrors = kMaxReportedErrors,
                      TextRule rule = TextRule::Storable, Language language = Language::English,
                      const ParseProgress& progress = {});

// True when a line holding this text would be taken for an ANSWER line.
bool LooksLikeAnswerLine(std::u16string_view text);

}  // namespace vornikat::bank
