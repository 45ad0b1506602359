// UTF-8 for the bank tool's messages and output.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::bank {

std::string Utf8Of(char32_t c);

// The text in double quotes, with quotes, backslashes and control characters escaped, so
// that a message shows exactly what a text holds.
std::string QuoteText(std::u16string_view text);

}  // namespace vornikat::bank
