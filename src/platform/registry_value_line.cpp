#include "registry_value_line.hpp"

#include <algorithm>
#include <cstdio>

#include "cp1251.hpp"
#include "registry_text.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::size_t kWrapColumn = 76;

void SkipSpace(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && IsLineSpace(line[pos])) {
        ++pos;
    }
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != word[i]) {
            return false;
        }
    }
    return true;
}

// A quoted text at pos, with \\ and \" as its only escapes; pos moves past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\') {
            if (++pos >= line.size() || (line[pos] != '\\' && line[pos] != '"')) {
                return std::nullopt;
            }
        }
        text += line[pos];
    }
    return std::nullopt;
}

// The name before the equals sign, as UTF-8; pos moves past the sign.
std::optional<std::string> ReadName(std::string_view line, std::size_t& pos) {
    SkipSpace(line, pos);
    std::optional<std::string> name;
    if (pos < line.size() && line[pos] == '@') {
        ++pos;
        name = std::string();
    } else {
        name = ReadQuoted(line, pos);
    }
    SkipSpace(line, pos);
    if (!name || pos >= line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    ++pos;
    SkipSpace(line, pos);
    return name;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    return EncodeCp1251(FromUtf8(utf8));
}

std::optional<std::uint32_t> ReadHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// The comma-separated bytes of a hex list, its continuation lines joined on.
std::optional<std::vector<std::uint8_t>> ReadHexList(std::string_view first,
                                                     const std::vector<std::string>& lines) {
    std::string list(first);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        while (!list.empty() && IsLineSpace(list.back())) {
            list.pop_back();
        }
        if (list.empty() || list.back() != '\\') {
            return std::nullopt;
        }
        list.pop_back();  // the backslash that made the list go on
        list += TrimLineSpace(lines[i]);
    }
    const std::string_view rest = TrimLineSpace(list);
    std::vector<std::uint8_t> bytes;
    if (rest.empty()) {
        return bytes;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = std::min(rest.find(',', start), rest.size());
        const auto byte = ReadHexNumber(TrimLineSpace(rest.substr(start, comma - start)), 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == rest.size()) {
            return bytes;
        }
        start = comma + 1;
    }
}

std::optional<RegistryValue> ReadData(std::string_view rest,
                                      const std::vector<std::string>& lines) {
    if (StartsWithWord(rest, "hex")) {
        std::uint32_t type = 3;
        std::size_t colon = 3;
        if (rest.size() > 3 && rest[3] == '(') {
            const std::size_t close = rest.find(')');
            const auto number = close == std::string_view::npos
                                    ? std::nullopt
                                    : ReadHexNumber(rest.substr(4, close - 4), 8);
            if (!number) {
                return std::nullopt;
            }
            type = *number;
            colon = close + 1;
        }
        if (colon >= rest.size() || rest[colon] != ':') {
            return std::nullopt;
        }
        auto bytes = ReadHexList(rest.substr(colon + 1), lines);
        if (!bytes) {
            return std::nullopt;
        }
        return RegistryValue{type, std::move(*bytes)};
    }
    if (lines.size() != 1) {
        return std::nullopt;
    }
    if (StartsWithWord(rest, "dword:")) {
        const auto number = ReadHexNumber(TrimLineSpace(rest.substr(6)), 8);
        if (!number) {
            return std::nullopt;
        }
        const std::uint32_t n = *number;
        return RegistryValue{
            4,
            {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)}};
    }
    std::size_t pos = 0;
    const auto text = ReadQuoted(rest, pos);
    if (!text || !TrimLineSpace(rest.substr(pos)).empty()) {
        return std::nullopt;
    }
    auto bytes = Utf8ToCp1251(*text);
    if (!bytes) {
        return std::nullopt;
    }
    RegistryValue value{1, {bytes->begin(), bytes->end()}};
    value.data.push_back(0);
    return value;
}

std::string Quote(std::string_view cp1251) {
    std::string quoted = "\"";
    for (const char c : ToUtf8(DecodeCp1251(cp1251))) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

// Text that reads back as exactly these bytes: one NUL at the end and none before it, and no
// control character that would break or hide in the line.
bool FitsInQuotes(const RegistryValue& value) {
    if (value.type != 1 || value.data.empty() || value.data.back() != 0) {
        return false;
    }
    return std::all_of(value.data.begin(), value.data.end() - 1,
                       [](std::uint8_t b) { return b >= 0x20 && b != 0x7F && b != 0x98; });
}

std::string HexByte(std::uint8_t b) {
    constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[b >> 4], kDigits[b & 0x0F]};
}

}  // namespace

bool ContinuesOnNextLine(std::string_view line) {
    std::size_t pos = 0;
    if (!ReadName(line, pos) || !StartsWithWord(line.substr(pos), "hex")) {
        return false;
    }
    const std::string_view trimmed = TrimLineSpace(line);
    return !trimmed.empty() && trimmed.back() == '\\';
}

std::optional<NamedValue> ParseValueLines(const std::vector<std::string>& lines) {
    if (lines.empty() || (lines.size() > 1 && !ContinuesOnNextLine(lines.front()))) {
        return std::nullopt;
    }
    std::size_t pos = 0;
    const auto name = ReadName(lines.front(), pos);
    if (!name) {
        return std::nullopt;
    }
    auto cp1251Name = Utf8ToCp1251(*name);
    auto value = ReadData(std::string_view(lines.front()).substr(pos), lines);
    if (!cp1251Name || !value) {
        return std::nullopt;
    }
    return NamedValue{std::move(*cp1251Name), std::move(*value)};
}

std::vector<std::string> FormatValueLines(const NamedValue& named) {
    const RegistryValue& value = named.value;
    std::string line = (named.name.empty() ? std::string("@") : Quote(named.name)) + "=";
    if (FitsInQuotes(value)) {
        const std::string text(value.data.begin(), value.data.end() - 1);
        return {line + Quote(text)};
    }
    if (value.type == 4 && value.data.size() == 4) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%02x%02x%02x%02x", value.data[3], value.data[2],
                      value.data[1], value.data[0]);
        return {line + digits};
    }
    if (value.type == 3) {
        line += "hex:";
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
        line += prefix;
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        const std::string piece = HexByte(value.data[i]) + (i + 1 < value.data.size() ? "," : "");
        // A list breaks only after a comma, so each line but the last ends with ",\".
        if (i > 0 && line.size() + piece.size() > kWrapColumn) {
            lines.push_back(line + "\\");
            line = "  ";
        }
        line += piece;
    }
    lines.push_back(line);
    return lines;
}

}  // namespace vornikat
