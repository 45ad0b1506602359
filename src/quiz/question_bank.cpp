// SPDX-License-Identifier: MIT
#include "question_bank.hpp"

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
    for (long i = 0; i < count; ++i) {
        QuestionRecord record;
        record.question = std::move(bank.Questions.At(i));
        for (int option = 1; option <= 5; ++option) {
            record.options[static_cast<std::size_t>(option - 1)] =
                std::move(bank.Answers(option).At(i));
        }
        record.rightOption = bank.RightAnswer.At(i);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace vornikat
