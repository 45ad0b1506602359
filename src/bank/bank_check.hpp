// SPDX-License-Identifier: MIT
// Says whether the program will load a data.bin, and what in it is odd.
#pragma once

#include <string>
#include <vector>

#include "ports.hpp"

namespace vornikat::bank {

struct CheckReport {
    bool loads = false;
    // "N questions" for a bank that loads; otherwise why and where the program refuses it.
    std::string summary;
    std::vector<std::string> warnings;  // what loads but is odd
};

CheckReport CheckBank(ByteSource& source);

}  // namespace vornikat::bank
