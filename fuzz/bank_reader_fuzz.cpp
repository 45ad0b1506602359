// SPDX-License-Identifier: MIT
// Any bytes given to the loader either load or fail with its error, and the editor's reader,
// record by record, does exactly the same; a bank that loads survives being written and read
// again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"

namespace {

bool Same(const std::vector<vornikat::QuestionRecord>& a,
          const std::vector<vornikat::QuestionRecord>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].question != b[i].question || a[i].options != b[i].options ||
            a[i].rightOption != b[i].rightOption) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornikat;
    MemorySource source(std::span(data, size));
    MemorySource sameBytes(std::span(data, size));
    QuestionBank bank;
    try {
        bank = ReadQuestionBank(source);
    } catch (const BankReadError& error) {
        try {
            ReadQuestionRecords(sameBytes);
        } catch (const BankReadError& same) {
            if (same.Number() == error.Number() && same.Offset() == error.Offset()) {
                return 0;
            }
        }
        std::abort();
    }
    const auto records = ToRecords(bank);
    if (!Same(ReadQuestionRecords(sameBytes), records)) {
        std::abort();
    }
    const auto bytes = WriteQuestionBank(records);
    MemorySource again(bytes);
    if (!Same(ToRecords(ReadQuestionBank(again)), records)) {
        std::abort();
    }
    return 0;
}
