// SPDX-License-Identifier: MIT
// A draft bank as a few lines of text, so that a reader's cases read as tables: each question
// as "LINE:COLUMN question | options... | right", then what was skipped and each error's place.
#pragma once

#include <string>

#include "draft_bank.hpp"
#include "text.hpp"

namespace vornikat::testing {

inline std::string Summary(const bank::DraftBank& bank) {
    std::string out;
    for (const auto& q : bank.questions) {
        out += std::to_string(q.at.line) + ":" + std::to_string(q.at.column) + " " +
               ToUtf8(q.record.question);
        for (int k = 0; k < q.optionCount; ++k) {
            const auto index = static_cast<std::size_t>(k);
            out += " | " + ToUtf8(k < 5 ? q.record.options[index] : q.extraOptions[index - 5]);
        }
        out += " | " + std::to_string(q.record.rightOption) + "\n";
    }
    if (bank.skipped > 0) {
        out += "skipped " + std::to_string(bank.skipped) + "\n";
    }
    for (const auto& error : bank.errors) {
        out +=
            "error " + std::to_string(error.at.line) + ":" + std::to_string(error.at.column) + "\n";
    }
    return out;
}

}  // namespace vornikat::testing
