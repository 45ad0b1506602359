// SPDX-License-Identifier: MIT
// Writes the canonical data.bin of a list of questions.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "question_bank.hpp"

namespace vornikat {

// A question list that no data.bin can hold: says which question and why.
class BankWriteError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// Throws BankWriteError for 0 or more than 32767 questions, a text longer than 32766
// characters, or a character that has no Windows-1251 code.
std::vector<std::uint8_t> WriteQuestionBank(std::span<const QuestionRecord> questions);

}  // namespace vornikat
