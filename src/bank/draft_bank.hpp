// SPDX-License-Identifier: MIT
// A bank as a source file gave it, before it is fit for the quiz: what every reader of a bank's
// text (Aiken, and the formats brought in from other tools) hands to the editor and the bank
// tool, with where each question stood and what could not be read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
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

// One question as its source gave it. A draft may be short of what the quiz needs: the editor
// opens it and flags at each field what the source left wrong.
struct DraftQuestion {
    QuestionRecord record;                     // the first five options; rightOption 0: none given
    int optionCount = 5;                       // how many options the source gave
    std::vector<std::u16string> extraOptions;  // those past the fifth, kept for the author to fix
    SourcePosition at;                         // where the question starts in the source
};

struct DraftBank {
    std::vector<DraftQuestion> questions;
    std::vector<Diagnostic> errors;  // what could not be read as a question at all
    int skipped = 0;                 // questions of kinds the quiz cannot ask, left out
    bool stoppedEarly = false;       // the error limit was reached before the end of the source
    bool cancelled = false;          // the progress asked to stop: nothing else holds
};

// The language of the messages: the bank tool's English, or the editor's Russian.
enum class Language { English, Russian };

// How far the parse has come, in bytes of the source; false stops it.
using ParseProgress = std::function<bool(std::size_t done, std::size_t total)>;

}  // namespace vornikat::bank
