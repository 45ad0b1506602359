// SPDX-License-Identifier: MIT
#include "bank_writer.hpp"

#include <string>

#include "bank_format.hpp"
#include "cp1251.hpp"

namespace vornikat {
namespace {

void PutUnit(std::vector<std::uint8_t>& out, std::int32_t unit) {
    const auto bits = static_cast<std::uint16_t>(unit);
    out.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    out.push_back(static_cast<std::uint8_t>(bits >> 8));
}

void PutText(std::vector<std::uint8_t>& out, std::u16string_view text, std::int32_t factor,
             std::size_t question, const char* what) {
    const auto where = [&] {
        return std::string(what) + " of question " + std::to_string(question + 1);
    };
    if (text.size() > static_cast<std::size_t>(bankformat::kMaxTextLength)) {
        throw BankWriteError("the " + where() + " is longer than 32766 characters");
    }
    PutUnit(out, static_cast<std::int32_t>(text.size()) - 1);
    PutUnit(out, 0);  // the unit the loader throws away
    for (const char16_t c : text) {
        const auto code = EncodeCp1251(c);
        if (!code) {
            throw BankWriteError("the " + where() + " holds a character with no Windows-1251 code");
        }
        PutUnit(out, *code * factor);
    }
}

}  // namespace

std::vector<std::uint8_t> WriteQuestionBank(std::span<const QuestionRecord> questions) {
    if (questions.empty() ||
        questions.size() > static_cast<std::size_t>(bankformat::kMaxQuestions)) {
        throw BankWriteError("a bank holds 1 to 32767 questions, not " +
                             std::to_string(questions.size()));
    }
    std::vector<std::uint8_t> out;
    PutUnit(out, static_cast<std::int32_t>(questions.size()) - 1);
    for (std::size_t i = 0; i < questions.size(); ++i) {
        PutText(out, questions[i].question, bankformat::kQuestionFactor, i, "text");
    }
    for (std::size_t option = 0; option < 5; ++option) {
        const std::string what = "option " + std::string(1, static_cast<char>('A' + option));
        for (std::size_t i = 0; i < questions.size(); ++i) {
            PutText(out, questions[i].options[option], bankformat::kOptionFactor, i, what.c_str());
        }
    }
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const std::int32_t right = questions[i].rightOption;
        if (right * bankformat::kRightOptionFactor < INT16_MIN ||
            right * bankformat::kRightOptionFactor > INT16_MAX) {
            throw BankWriteError("the right option of question " + std::to_string(i + 1) +
                                 " cannot be stored");
        }
        PutUnit(out, right * bankformat::kRightOptionFactor);
    }
    return out;
}

}  // namespace vornikat
