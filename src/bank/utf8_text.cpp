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

std::string WithCapitalFirst(std::string text) {
    const auto lead = static_cast<unsigned char>(text.size() > 1 ? text[1] : 0);
    if (lead >= 0xB0 && lead <= 0xBF && text[0] == '\xD0') {
        text[1] = static_cast<char>(lead - 0x20);  // а..п
    } else if (lead >= 0x80 && lead <= 0x8F && text[0] == '\xD1') {
        text[0] = '\xD0';
        text[1] = static_cast<char>(lead + 0x20);  // р..я
    } else if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::string WithSmallFirst(std::string text) {
    const auto lead = static_cast<unsigned char>(text.size() > 1 ? text[1] : 0);
    if (lead >= 0x90 && lead <= 0x9F && text[0] == '\xD0') {
        text[1] = static_cast<char>(lead + 0x20);  // А..П
    } else if (lead >= 0xA0 && lead <= 0xAF && text[0] == '\xD0') {
        text[0] = '\xD1';
        text[1] = static_cast<char>(lead - 0x20);  // Р..Я
    } else if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

}  // namespace vornikat::bank
