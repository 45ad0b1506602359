// SPDX-License-Identifier: MIT
// Any text given to the Aiken parser either parses or yields errors; a text that parses
// survives being built, loaded, printed as Aiken and parsed again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornikat;
    const auto parsed =
        bank::ParseAiken(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.errors.empty()) {
        return 0;
    }
    std::vector<QuestionRecord> records;
    for (const auto& q : parsed.questions) {
        records.push_back(q.record);
    }
    const auto bytes = WriteQuestionBank(records);
    MemorySource source(bytes);
    const auto aiken = bank::FormatAiken(ToRecords(ReadQuestionBank(source)));
    if (!aiken.problems.empty()) {
        std::abort();
    }
    const auto again = bank::ParseAiken(aiken.text);
    if (!again.errors.empty() || again.questions.size() != records.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = again.questions[i].record;
        if (r.question != records[i].question || r.options != records[i].options ||
            r.rightOption != records[i].rightOption) {
            std::abort();
        }
    }
    return 0;
}
