// SPDX-License-Identifier: MIT
#include "text_bank.hpp"

#include "aiken_parser.hpp"
#include "bank_text.hpp"
#include "bank_writer.hpp"

namespace vornikat {

std::optional<std::vector<std::uint8_t>> ConvertTextBank(std::string_view bytes) {
    const bank::AikenParse parsed = bank::ParseAiken(bank::DecodeBankText(bytes).utf8, 1);
    if (!parsed.errors.empty() || parsed.questions.empty()) {
        return std::nullopt;
    }
    std::vector<QuestionRecord> records;
    records.reserve(parsed.questions.size());
    for (const auto& question : parsed.questions) {
        records.push_back(question.record);
    }
    try {
        return WriteQuestionBank(records);
    } catch (const BankWriteError&) {
        return std::nullopt;
    }
}

}  // namespace vornikat
