// SPDX-License-Identifier: MIT
// Small text helpers shared by the core and its front-ends: numbers as display text, UTF-16
// and UTF-8, button captions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornikat {

// Plain decimal digits, a minus sign for negatives, no leading blank.
std::u16string IntToText(long long value);
// Widens a text known to hold only ASCII.
std::u16string AsciiToText(std::string_view ascii);
// Appends one character, U+0000 to U+10FFFF, as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The character that strict UTF-8 at the start of bytes spells (no overlong forms, no
// surrogates, nothing past U+10FFFF), and how many bytes it takes; nullopt when the
// bytes there are not UTF-8. bytes must not be empty.
std::optional<char32_t> DecodeUtf8Char(std::string_view bytes, std::size_t& length);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Whether the bytes are well-formed UTF-8 throughout.
bool IsUtf8(std::string_view bytes);
// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

// A button caption that shows every "&" as the character: the toolkits read a single "&" as
// the mark of an access key, so each is doubled.
std::u16string EscapeAccessKeys(std::u16string_view text);

}  // namespace vornikat
