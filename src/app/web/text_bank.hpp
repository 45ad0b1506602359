// SPDX-License-Identifier: MIT
// A bank written as Aiken text, turned into the data.bin the quiz reads, by the same reader of
// bank text the bank tool and the editor use: so the page plays a teacher's questions.txt as it
// stands, in any encoding and line ends the desktop reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vornikat {

// None where the text has an error or a question data.bin cannot hold: the bank's failure path.
std::optional<std::vector<std::uint8_t>> ConvertTextBank(std::string_view bytes);

}  // namespace vornikat
