// SPDX-License-Identifier: MIT
// Any bytes given to the loader either load or fail with its error; a bank that loads
// survives being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornikat;
    MemorySource source(std::span(data, size));
    QuestionBank bank;
    try {
        bank = ReadQuestionBank(source);
    } catch (const BankReadError&) {
        return 0;
    }
    const auto records = ToRecords(bank);
    const auto bytes = WriteQuestionBank(records);
    MemorySource again(bytes);
    const auto reread = ToRecords(ReadQuestionBank(again));
    if (reread.size() != records.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (reread[i].question != records[i].question || reread[i].options != records[i].options ||
            reread[i].rightOption != records[i].rightOption) {
            std::abort();
        }
    }
    return 0;
}
