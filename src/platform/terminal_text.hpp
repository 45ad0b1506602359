// SPDX-License-Identifier: MIT
// Names from the command line or the file system, made safe to print on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace vornikat {

// The bytes in double quotes, as C would write them: UTF-8 text as it is; control characters
// (C0, DEL and C1), a quote, a backslash and every byte that is not UTF-8 as escapes. The
// result is one line that no byte of the name can end, colour or move.
std::string QuoteForTerminal(std::string_view bytes);

}  // namespace vornikat
