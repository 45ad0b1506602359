// SPDX-License-Identifier: MIT
// UTF-8 for the bank tool's messages and output.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::bank {

// A byte that is not part of valid UTF-8 decodes to kNotUtf8 plus its value: one character
// above the Unicode range, so that columns still count it and messages can name it.
inline constexpr char32_t kNotUtf8 = 0x110000;
std::u32string DecodeUtf8Leniently(std::string_view bytes);

std::string Utf8Of(char32_t c);

// The text with its first letter, a basic Cyrillic or a Latin one, made capital or small: the
// shared words made a sentence, or a field's name put inside one.
std::string WithCapitalFirst(std::string text);
std::string WithSmallFirst(std::string text);

// The text in double quotes, with quotes, backslashes and control characters escaped, so
// that a message shows exactly what a text holds.
std::string QuoteText(std::u16string_view text);

}  // namespace vornikat::bank
