// SPDX-License-Identifier: MIT
// Names from the command line or the file system, made safe to print on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace vornikat {

// The bytes as a person should read them, one rule for every program: UTF-8 text as it is;
// control characters (C0, DEL and C1), the invisible characters that break a line or turn its
// direction, and every byte that is not UTF-8 as C's escapes (\n, \x1b, \u202e). The result is
// one line that no byte of the name can end, colour, move or disguise.
std::string EscapeName(std::string_view bytes);

// The name escaped as above, a quote and a backslash too, in double quotes: what a terminal
// line shows, so that where the name ends is never in doubt.
std::string QuoteForTerminal(std::string_view bytes);

}  // namespace vornikat
