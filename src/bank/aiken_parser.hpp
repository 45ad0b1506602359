// SPDX-License-Identifier: MIT
// Reads a question bank written in Aiken, the plain-text format quiz systems import and export.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "question_bank.hpp"

namespace vornikat::bank {

// 1-based, as editors count; columns count characters, not bytes.
struct SourcePosition {
    int line = 0;
    int column = 0;
};

struct Diagnostic {
    SourcePosition at;
    std::string message;
};

struct AikenQuestion {
    QuestionRecord record;
    SourcePosition question;                // where the question text starts
    std::array<SourcePosition, 5> options;  // where each option's text starts (after the label)
};

struct AikenParse {
    std::vector<AikenQuestion> questions;
    std::vector<Diagnostic> errors;
    bool stoppedEarly = false;  // the error limit was reached before the end of the source
};

inline constexpr std::size_t kMaxReportedErrors = 20;

// Parses UTF-8 Aiken text. Questions are only usable when no error is reported.
AikenParse ParseAiken(std::string_view source, std::size_t maxErrors = kMaxReportedErrors);

// True when a line holding this text would be taken for an ANSWER line.
bool LooksLikeAnswerLine(std::u16string_view text);

}  // namespace vornikat::bank
