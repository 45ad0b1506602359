// SPDX-License-Identifier: MIT
// Reads data.bin into a QuestionBank, front to back, exactly as the program loads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ports.hpp"
#include "question_bank.hpp"
#include "runtime_error.hpp"

namespace vornikat {

// A run-time error met while reading a bank, with where and why, for the bank tools.
class BankReadError : public RuntimeError {
  public:
    BankReadError(int number, std::uint64_t offset, std::string reason)
        : RuntimeError(number), offset_(offset), reason_(std::move(reason)) {}
    std::uint64_t Offset() const { return offset_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::uint64_t offset_;
    std::string reason_;
};

// What a successful read consumed, for the tools' warnings.
struct BankReadInfo {
    std::uint64_t bytesRead = 0;
    std::uint64_t inexactUnits = 0;  // units that are not exact multiples of their factor
    bool trailingBytes = false;
};

// Throws BankReadError; a read past the end of the data is an error too.
QuestionBank ReadQuestionBank(ByteSource& source, BankReadInfo* info = nullptr);
// The same read, question by question, for a program that edits the bank: the texts are
// decoded into their records, not gathered by section and moved.
std::vector<QuestionRecord> ReadQuestionRecords(ByteSource& source);

}  // namespace vornikat
