// SPDX-License-Identifier: MIT
// Says whether the program will load a data.bin, and what in it is odd.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bank_reader.hpp"
#include "draft_bank.hpp"
#include "ports.hpp"

namespace vornikat::bank {

struct CheckReport {
    bool loads = false;
    // "N questions" for a bank that loads; otherwise why and where the program refuses it.
    std::string summary;
    std::vector<std::string> warnings;  // what loads but is odd
};

// Reads no further than the bank goes: what the file holds past its end, up to fileSize bytes,
// is counted, not read.
CheckReport CheckBank(ByteSource& source, std::uint64_t fileSize,
                      Language language = Language::English);

// Why the reader refused a bank: its own words in English; in Russian by the kind of error.
std::string DescribeReadError(const BankReadError& error, Language language);

}  // namespace vornikat::bank
