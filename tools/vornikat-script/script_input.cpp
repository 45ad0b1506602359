// SPDX-License-Identifier: MIT
#include "script_input.hpp"

#include <iostream>

namespace vornikat::script {

std::optional<std::string> ReadEvent() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        const auto last = line.find_last_not_of(" \t");
        return line.substr(first, last - first + 1);
    }
    return std::nullopt;
}

}  // namespace vornikat::script
