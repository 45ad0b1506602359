// The trace the scripted front-end prints: one effect on the program's windows per line.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::script {

// A text as a JSON string literal, quotes included.
std::string QuoteJson(std::u16string_view text);

// Writes one line to standard output and flushes it, so a driver sees it at once.
void Emit(std::string_view line);

}  // namespace vornikat::script
