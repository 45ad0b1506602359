// SPDX-License-Identifier: MIT
#include "question_bank.hpp"

#include <array>
#include <utility>

namespace vornikat {

CheckedArray<std::u16string>& QuestionBank::Answers(int option) {
    return const_cast<CheckedArray<std::u16string>&>(std::as_const(*this).Answers(option));
}

const CheckedArray<std::u16string>& QuestionBank::Answers(int option) const {
    switch (option) {
        case 1:
            return Answers1;
        case 2:
            return Answers2;
        case 3:
            return Answers3;
        case 4:
            return Answers4;
        case 5:
            return Answers5;
        default:
            throw RuntimeError(err::kSubscriptOutOfRange);
    }
}

std::vector<QuestionRecord> ToRecords(QuestionBank bank) {
    std::vector<QuestionRecord> records;
    const long count = static_cast<long>(bank.Questions.Size());
    records.reserve(static_cast<std::size_t>(count));
    const std::array<CheckedArray<std::u16string>*, 5> options = {
        &bank.Answers1, &bank.Answers2, &bank.Answers3, &bank.Answers4, &bank.Answers5};
    // Each record is made in its place: a bank this big is not moved twice.
    for (long i = 0; i < count; ++i) {
        QuestionRecord& record = records.emplace_back();
        record.question = std::move(bank.Questions.At(i));
        for (std::size_t k = 0; k < options.size(); ++k) {
            record.options[k] = std::move(options[k]->At(i));
        }
        record.rightOption = bank.RightAnswer.At(i);
    }
    return records;
}

}  // namespace vornikat
