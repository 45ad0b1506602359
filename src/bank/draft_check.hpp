// SPDX-License-Identifier: MIT
// What keeps a draft from becoming data.bin, said at each question's place in its source: a
// question short of five options or past them, no right option or one the quiz cannot take,
// a text data.bin cannot hold, a bank of no or too many questions.
#pragma once

#include <vector>

#include "draft_bank.hpp"

namespace vornikat::bank {

struct DraftErrors {
    std::vector<Diagnostic> errors;
    bool stoppedEarly = false;
};

DraftErrors FindDraftErrors(const DraftBank& bank, Language language = Language::English);

}  // namespace vornikat::bank
