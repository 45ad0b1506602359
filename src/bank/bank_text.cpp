// SPDX-License-Identifier: MIT
#include "bank_text.hpp"

#include <cstdint>

#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

// UTF-16 units to UTF-8; a unit left over at an odd end, or a lone surrogate, becomes U+FFFD.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<std::uint8_t>(bytes[i]);
        const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
        units.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    if (bytes.size() % 2 != 0) {
        units.push_back(u'\uFFFD');
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            ++i;
        } else if (high || low) {
            units[i] = u'\uFFFD';
        }
    }
    return ToUtf8(units);
}

// Every line end as "\n", and which kind the text used: CRLF where any line has it, else CR
// where any has that.
LineEnds UnifyLineEnds(std::string& text) {
    LineEnds ends = LineEnds::Lf;
    std::string unified;
    unified.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            unified += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '\n') {
            ends = LineEnds::CrLf;
        } else {
            unified += '\n';
            if (ends == LineEnds::Lf) {
                ends = LineEnds::Cr;
            }
        }
    }
    text = std::move(unified);
    return ends;
}

std::string WithLineEnds(std::string_view text, LineEnds ends) {
    if (ends == LineEnds::Lf) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c != '\n') {
            out += c;
        } else {
            out += ends == LineEnds::CrLf ? "\r\n" : "\r";
        }
    }
    return out;
}

std::string ToUtf16(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

bool StartsAsUtf16(std::string_view bytes) {
    return bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark);
}

DecodedText DecodeBankText(std::string_view bytes) {
    DecodedText decoded;
    if (bytes.starts_with(kUtf8Mark)) {
        decoded.encoding = TextEncoding::Utf8WithMark;
        decoded.utf8 = bytes.substr(kUtf8Mark.size());
    } else if (bytes.starts_with(kUtf16LittleMark)) {
        decoded.encoding = TextEncoding::Utf16LittleEndian;
        decoded.utf8 = FromUtf16(bytes.substr(kUtf16LittleMark.size()), false);
    } else if (bytes.starts_with(kUtf16BigMark)) {
        decoded.encoding = TextEncoding::Utf16BigEndian;
        decoded.utf8 = FromUtf16(bytes.substr(kUtf16BigMark.size()), true);
    } else if (IsUtf8(bytes)) {
        decoded.utf8 = bytes;
    } else {
        decoded.encoding = TextEncoding::Windows1251;
        decoded.utf8 = ToUtf8(DecodeCp1251(bytes));
    }
    decoded.lineEnds = UnifyLineEnds(decoded.utf8);
    return decoded;
}

EncodedText EncodeBankText(std::string_view utf8, TextEncoding encoding, LineEnds lineEnds) {
    const std::string text = WithLineEnds(utf8, lineEnds);
    EncodedText encoded;
    switch (encoding) {
        case TextEncoding::Utf8:
            encoded.bytes = text;
            break;
        case TextEncoding::Utf8WithMark:
            encoded.bytes = std::string(kUtf8Mark) + text;
            break;
        case TextEncoding::Utf16LittleEndian:
            encoded.bytes = std::string(kUtf16LittleMark) + ToUtf16(FromUtf8(text), false);
            break;
        case TextEncoding::Utf16BigEndian:
            encoded.bytes = std::string(kUtf16BigMark) + ToUtf16(FromUtf8(text), true);
            break;
        case TextEncoding::Windows1251: {
            const std::u16string units = FromUtf8(text);
            encoded.bytes.reserve(units.size());
            for (std::size_t i = 0; i < units.size(); ++i) {
                if (const auto code = EncodeCp1251(units[i])) {
                    encoded.bytes += static_cast<char>(*code);
                    continue;
                }
                const char16_t unit = units[i];
                const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size();
                encoded.missing = pair ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                             (static_cast<char32_t>(units[i + 1]) - 0xDC00)
                                       : unit;
                encoded.bytes.clear();
                break;
            }
            break;
        }
    }
    return encoded;
}

}  // namespace vornikat::bank
