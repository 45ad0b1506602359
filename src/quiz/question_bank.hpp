// SPDX-License-Identifier: MIT
// The question bank: every question, its five options and the number of the right one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "checked_array.hpp"

namespace vornikat {

struct QuestionBank {
    std::int16_t QuestionMax = 0;
    CheckedArray<std::u16string> Questions;
    CheckedArray<std::u16string> Answers1;
    CheckedArray<std::u16string> Answers2;
    CheckedArray<std::u16string> Answers3;
    CheckedArray<std::u16string> Answers4;
    CheckedArray<std::u16string> Answers5;
    CheckedArray<std::int16_t> RightAnswer;

    // Option texts by option number, 1..5.
    CheckedArray<std::u16string>& Answers(int option);
    const CheckedArray<std::u16string>& Answers(int option) const;
};

// One question as a producer of a bank writes it.
struct QuestionRecord {
    std::u16string question;
    std::array<std::u16string, 5> options;
    std::int16_t rightOption = 1;
};

// Takes the texts over: a bank of 32767 questions is not copied text by text.
std::vector<QuestionRecord> ToRecords(QuestionBank bank);

}  // namespace vornikat
