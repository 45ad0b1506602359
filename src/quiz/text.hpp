// Small text helpers shared by the core: numbers as display text, UTF-16 and UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornikat {

// Plain decimal digits, a minus sign for negatives, no leading blank.
std::u16string IntToText(long long value);
// Widens a text known to hold only ASCII.
std::u16string AsciiToText(std::string_view ascii);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

}  // namespace vornikat
