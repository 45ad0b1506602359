// SPDX-License-Identifier: MIT
#include "utf8_text.hpp"

#include <cstdio>

#include "text.hpp"

namespace vornikat::bank {

std::string Utf8Of(char32_t c) {
    std::string out;
    AppendUtf8(out, c);
    return out;
}

std::u32string DecodeUtf8Leniently(std::string_view bytes) {
    std::u32string chars;
    chars.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t length = 1;
        const auto c = DecodeUtf8Char(bytes.substr(i), length);
        chars += c.value_or(kNotUtf8 + static_cast<unsigned char>(bytes[i]));
        i += c ? length : 1;
    }
    return chars;
}

std::string QuoteText(std::u16string_view text) {
    std::string out = "\"";
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        } else {
            out += Utf8Of(c);
        }
    }
    return out + "\"";
}

}  // namespace vornikat::bank
