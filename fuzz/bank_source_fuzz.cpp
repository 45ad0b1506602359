// SPDX-License-Identifier: MIT
// Any bytes, read in every form the bank tool and the editor take, give a draft or errors:
// never a crash, a hang or unbounded memory, and each question at a place inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "bank_source.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornikat::bank;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DetectSourceFormat("fuzz", bytes);
    for (const SourceFormat format :
         {SourceFormat::Gift, SourceFormat::MoodleXml, SourceFormat::Csv}) {
        const DraftBank bank = ReadBankSource(bytes, format);
        for (const auto& question : bank.questions) {
            const bool placed = question.at.line >= 1 && question.at.column >= 1;
            const std::size_t extra = question.extraOptions.size();
            const bool counted = question.optionCount <= 5
                                     ? extra == 0
                                     : static_cast<std::size_t>(question.optionCount) == 5 + extra;
            if (!placed || !counted) {
                std::abort();
            }
        }
    }
    return 0;
}
