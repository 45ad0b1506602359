// SPDX-License-Identifier: MIT
#include "terminal_text.hpp"

#include <cstdint>
#include <cstdio>

namespace vornikat {
namespace {

// The length of the well-formed UTF-8 sequence at the start of text, 0 when there is none.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

void AppendHex(std::string& out, const char* form, unsigned value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, form, value);
    out += escaped;
}

// The character a valid UTF-8 sequence stands for.
char32_t CodeOf(std::string_view sequence) {
    const auto byte = [&sequence](std::size_t i) { return static_cast<std::uint8_t>(sequence[i]); };
    switch (sequence.size()) {
        case 2:
            return static_cast<char32_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
        case 3:
            return static_cast<char32_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 |
                                         (byte(2) & 0x3F));
        case 4:
            return static_cast<char32_t>((byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 |
                                         (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F));
        default:
            return byte(0);
    }
}

// Characters that show nothing themselves but break the line or turn the rest of it around,
// so that a name could hide or disguise what follows it.
bool IsInvisibleLayout(char32_t code) {
    return (code >= 0x200B && code <= 0x200F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF;
}

// Appends the bytes escaped; a quote and a backslash too when `quoted`.
void AppendEscaped(std::string& out, std::string_view bytes, bool quoted) {
    while (!bytes.empty()) {
        const auto lead = static_cast<std::uint8_t>(bytes.front());
        std::size_t taken = 1;
        switch (lead) {
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '"':
            case '\\':
                if (quoted) {
                    out += '\\';
                }
                out += static_cast<char>(lead);
                break;
            default:
                if (lead < 0x20 || lead == 0x7F) {
                    AppendHex(out, "\\x%02x", lead);
                } else if (lead < 0x80) {
                    out += static_cast<char>(lead);
                } else if (const std::size_t length = SequenceLength(bytes); length == 0) {
                    AppendHex(out, "\\x%02x", lead);
                } else if (lead == 0xC2 && static_cast<std::uint8_t>(bytes[1]) < 0xA0) {
                    // A C1 control, which a terminal may take as the start of a command.
                    AppendHex(out, "\\u%04x", static_cast<std::uint8_t>(bytes[1]));
                    taken = length;
                } else if (const char32_t code = CodeOf(bytes.substr(0, length));
                           IsInvisibleLayout(code)) {
                    AppendHex(out, "\\u%04x", static_cast<unsigned>(code));
                    taken = length;
                } else {
                    out.append(bytes.substr(0, length));
                    taken = length;
                }
                break;
        }
        bytes.remove_prefix(taken);
    }
}

}  // namespace

std::string EscapeName(std::string_view bytes) {
    std::string out;
    AppendEscaped(out, bytes, false);
    return out;
}

std::string QuoteForTerminal(std::string_view bytes) {
    std::string out = "\"";
    AppendEscaped(out, bytes, true);
    return out + "\"";
}

}  // namespace vornikat
