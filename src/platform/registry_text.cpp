#include "registry_text.hpp"

#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// Strict UTF-8 with no NUL.
bool IsCleanUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = 1;
        const auto c = DecodeUtf8Char(text.substr(i), length);
        if (!c || *c == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

// UTF-16LE after its byte-order mark; nullopt on an odd length, a lone surrogate or a NUL.
std::optional<std::string> Utf16ToUtf8(std::span<const std::uint8_t> bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = static_cast<char32_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0 || (c >= 0xDC00 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size()) {
                return std::nullopt;
            }
            const char32_t low = static_cast<char32_t>(bytes[i + 2] | (bytes[i + 3] << 8));
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

bool IsLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimLineSpace(std::string_view text) {
    while (!text.empty() && IsLineSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsLineSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsRegistryHeader(std::string_view line) {
    while (!line.empty() && IsLineSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line == kHeader5 || line == kHeader4;
}

std::optional<RegistryText> DecodeRegistryText(std::span<const std::uint8_t> bytes) {
    RegistryText text;
    if (bytes.empty()) {
        return text;
    }
    std::string utf8;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        auto converted = Utf16ToUtf8(bytes.subspan(2));
        if (!converted) {
            return std::nullopt;
        }
        utf8 = std::move(*converted);
    } else {
        if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
            text.byteOrderMark = true;
            bytes = bytes.subspan(3);
        }
        utf8.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (!IsCleanUtf8(utf8)) {
            return std::nullopt;
        }
    }
    if (utf8.empty()) {
        return text;
    }
    const std::size_t firstEnd = utf8.find('\n');
    text.crlf = firstEnd != std::string::npos && firstEnd > 0 && utf8[firstEnd - 1] == '\r';
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) {
            end = utf8.size();
        }
        std::string line = utf8.substr(start, end - start);
        // Only a file of CR LF lines loses its CRs here, so that writing the lines back with
        // the same ends gives the same bytes.
        if (text.crlf && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        text.lines.push_back(std::move(line));
        start = end + 1;
    }
    if (text.lines.empty() || !IsRegistryHeader(text.lines.front())) {
        return std::nullopt;
    }
    return text;
}

std::string EncodeRegistryText(const RegistryText& text) {
    std::string out = text.byteOrderMark ? "\xEF\xBB\xBF" : "";
    const char* end = text.crlf ? "\r\n" : "\n";
    for (const auto& line : text.lines) {
        out += line;
        out += end;
    }
    return out;
}

}  // namespace vornikat
