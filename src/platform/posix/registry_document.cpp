// SPDX-License-Identifier: MIT
#include "registry_document.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <optional>

#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kLineSpace = " \t\r";
constexpr std::size_t kWrapColumn = 76;
constexpr std::string_view kAlwaysPresent[] = {"hkey_local_machine", "hkey_local_machine\\software",
                                               "hkey_current_user", "hkey_current_user\\software"};

std::string_view Trim(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(kLineSpace), text.size());
    return text.substr(start, text.find_last_not_of(kLineSpace) + 1 - start);
}

bool IsHeader(std::string_view line) {
    line = line.substr(0, line.find_last_not_of(kLineSpace) + 1);
    return line == kHeader || line == kOldHeader;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0, length = 1; i < text.size(); i += length) {
        length = 1;
        if ((text[i] & 0x80) != 0 && !DecodeUtf8Char(text.substr(i), length)) {
            return false;
        }
    }
    return true;
}

// The file's text as UTF-8 with no NUL; nullopt when it is no text a registry export is in.
std::optional<std::string> DecodeText(std::span<const std::uint8_t> bytes, bool& byteOrderMark) {
    std::string text(bytes.begin(), bytes.end());
    if (text.starts_with("\xFF\xFE")) {
        std::u16string wide;
        for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
            wide += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        }
        // A lone surrogate comes back as a replacement character.
        const bool whole = text.size() % 2 == 0 && FromUtf8(text = ToUtf8(wide)) == wide;
        text = whole ? text : std::string(1, '\0');
    } else {
        byteOrderMark = text.starts_with("\xEF\xBB\xBF");
        text.erase(0, byteOrderMark ? 3 : 0);
        // What regedit writes under the old header is in the system's single-byte code page.
        if (!IsUtf8(text)) {
            text = !byteOrderMark && text.starts_with(kOldHeader) ? ToUtf8(DecodeCp1251(text))
                                                                  : std::string(1, '\0');
        }
    }
    return text.find('\0') == std::string::npos ? std::optional(text) : std::nullopt;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : EncodeCp1251(FromUtf8(utf8));
}

// The path's parts joined by single separators, empty parts left out.
std::string NormalPath(std::string_view path) {
    std::string joined;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            joined.append(joined.empty() ? "" : "\\").append(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return joined;
}

std::string FoldPath(std::string_view path) {
    return FoldRegistryName(NormalPath(path));
}

// The folded path of a section line, or empty when it cannot be read: no closing bracket, an
// empty part, or a character outside Windows-1251.
std::string ReadSectionPath(std::string_view line) {
    const std::string_view inner = Trim(line).substr(1);
    const auto path = inner.size() >= 2 && inner.ends_with(']')
                          ? Utf8ToCp1251(inner.substr(0, inner.size() - 1))
                          : std::nullopt;
    if (!path || path->front() == '\\' || path->back() == '\\' ||
        path->find("\\\\") != std::string::npos) {
        return {};
    }
    return FoldPath(*path);
}

void SkipSpace(std::string_view& text) {
    text.remove_prefix(std::min(text.size(), text.find_first_not_of(kLineSpace)));
}

// Takes the word off the start of the text, in any case.
bool Take(std::string_view& text, std::string_view word) {
    const bool found = text.size() >= word.size() &&
                       std::equal(word.begin(), word.end(), text.begin(), [](char w, char c) {
                           return w == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                       });
    text.remove_prefix(found ? word.size() : 0);
    return found;
}

// A quoted text at the start, with \\ and \" as its only escapes.
std::optional<std::string> TakeQuoted(std::string_view& text) {
    if (!Take(text, "\"")) {
        return std::nullopt;
    }
    std::string quoted;
    while (!Take(text, "\"")) {
        const bool escaped = Take(text, "\\");
        if (text.empty() || (escaped && text.front() != '\\' && text.front() != '"')) {
            return std::nullopt;
        }
        quoted += text.front();
        text.remove_prefix(1);
    }
    return quoted;
}

std::optional<std::uint32_t> ReadHex(std::string_view digits, std::size_t maxDigits) {
    std::uint32_t number = 0;
    const char* end = digits.data() + digits.size();
    const auto read = std::from_chars(digits.data(), end, number, 16);
    return digits.size() <= maxDigits && read.ec == std::errc() && read.ptr == end
               ? std::optional(number)
               : std::nullopt;
}

// The value that starts at lines[i]; i moves to its last line, as a hex list goes on over
// lines of hex digits after each line that ends with a backslash. nullopt when it cannot be
// read, or name or text has a character outside Windows-1251.
std::optional<NamedValue> ReadValue(const std::vector<std::string>& lines, std::size_t& i) {
    std::string_view rest = lines[i];
    SkipSpace(rest);
    const auto name = Take(rest, "@") ? std::optional(std::string()) : TakeQuoted(rest);
    SkipSpace(rest);
    if (!name || !Take(rest, "=")) {
        return std::nullopt;
    }
    SkipSpace(rest);
    const auto cp1251Name = Utf8ToCp1251(*name);
    bool read = cp1251Name.has_value();
    NamedValue named{cp1251Name.value_or(""), {}};
    RegistryValue& value = named.value;
    if (Take(rest, "hex")) {
        std::string list(Trim(rest));
        while (list.ends_with('\\') && i + 1 < lines.size() &&
               ReadHex(Trim(lines[i + 1]).substr(0, 1), 1)) {
            list.pop_back();
            list += Trim(lines[++i]);
        }
        rest = list;
        value.type = 3;
        if (Take(rest, "(")) {
            const std::size_t close = std::min(rest.find(')'), rest.size());
            const auto type = ReadHex(rest.substr(0, close), 8);
            read = read && type && close < rest.size();
            value.type = type.value_or(0);
            rest.remove_prefix(std::min(close + 1, rest.size()));
        }
        read = read && Take(rest, ":");
        rest = Trim(rest);
        for (std::size_t start = 0; read && !rest.empty() && start <= rest.size();) {
            const std::size_t comma = std::min(rest.find(',', start), rest.size());
            const auto byte = ReadHex(Trim(rest.substr(start, comma - start)), 2);
            read = byte.has_value();
            value.data.push_back(static_cast<std::uint8_t>(byte.value_or(0)));
            start = comma + 1;
        }
    } else if (Take(rest, "dword:")) {
        const auto number = ReadHex(Trim(rest), 8);
        read = read && number;
        value.type = 4;
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<std::uint8_t>(number.value_or(0) >> shift));
        }
    } else {
        const auto text = TakeQuoted(rest);
        const auto bytes = text && Trim(rest).empty() ? Utf8ToCp1251(*text) : std::nullopt;
        read = read && bytes;
        value.type = 1;
        const std::string_view data = bytes ? std::string_view(*bytes) : std::string_view();
        value.data.assign(data.begin(), data.end());
        value.data.push_back(0);
    }
    return read ? std::optional(named) : std::nullopt;
}

std::string Quote(std::string_view cp1251) {
    std::string quoted = "\"";
    for (const char c : ToUtf8(DecodeCp1251(cp1251))) {
        quoted += (c == '\\' || c == '"') ? std::string{'\\', c} : std::string{c};
    }
    return quoted + "\"";
}

// The lines that hold the value; the name must have no control characters. Text goes in quotes
// only when reading it back gives the same bytes: one NUL at the end and none before it, and no
// control character that would break or hide in the line.
std::vector<std::string> FormatValue(const NamedValue& named) {
    const auto& data = named.value.data;
    const std::uint32_t type = named.value.type;
    std::string line = (named.name.empty() ? std::string("@") : Quote(named.name)) + "=";
    if (type == 1 && !data.empty() && data.back() == 0 &&
        std::all_of(data.begin(), data.end() - 1,
                    [](std::uint8_t b) { return b >= 0x20 && b != 0x7F && b != 0x98; })) {
        return {line + Quote(std::string(data.begin(), data.end() - 1))};
    }
    char piece[24];
    if (type == 4 && data.size() == 4) {
        std::snprintf(piece, sizeof piece, "dword:%02x%02x%02x%02x", data[3], data[2], data[1],
                      data[0]);
        return {line + piece};
    }
    std::snprintf(piece, sizeof piece, "hex(%x):", static_cast<unsigned>(type));
    line += type == 3 ? "hex:" : piece;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(piece, sizeof piece, i + 1 < data.size() ? "%02x," : "%02x", data[i]);
        // A list breaks only after a comma, so each line but the last ends with ",\".
        if (i > 0 && line.size() + std::string_view(piece).size() > kWrapColumn) {
            lines.push_back(line + "\\");
            line = "  ";
        }
        line += piece;
    }
    lines.push_back(line);
    return lines;
}

}  // namespace

RegistryDocument::RegistryDocument() {
    entries_.push_back(Entry{Kind::Other, {std::string(kHeader)}, {}, {}, {}});
}

RegistryDocument RegistryDocument::Parse(std::span<const std::uint8_t> bytes) {
    RegistryDocument document;
    const auto text = DecodeText(bytes, document.byteOrderMark_);
    if (!text || text->empty()) {
        document.foreign_ = !text;
        return document;
    }
    const std::size_t firstEnd = text->find('\n');
    document.crlf_ = firstEnd != std::string::npos && firstEnd > 0 && (*text)[firstEnd - 1] == '\r';
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text->size();) {
        const std::size_t end = std::min(text->find('\n', start), text->size());
        lines.push_back(text->substr(start, end - start));
        // Only a file of CR LF lines loses its CRs, so that it is written back as it was.
        if (document.crlf_ && lines.back().ends_with('\r')) {
            lines.back().pop_back();
        }
        start = end + 1;
    }
    document.foreign_ = !IsHeader(lines.front());
    if (document.foreign_) {
        return document;
    }
    // The old header promises the single-byte code page, and the file is written as UTF-8.
    document.entries_.front().lines.front() =
        lines.front().starts_with(kOldHeader) ? std::string(kHeader) : lines.front();
    document.entries_.reserve(lines.size());
    std::string section;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view start = Trim(lines[i]);
        const std::size_t first = i;
        Entry entry;
        if (start.starts_with('[')) {
            section = ReadSectionPath(lines[i]);
            entry = Entry{Kind::Section, {}, section, {}, {}};
        } else if (!section.empty() && (start.starts_with('"') || start.starts_with('@'))) {
            if (auto value = ReadValue(lines, i)) {
                entry = Entry{Kind::Value,
                              {},
                              section,
                              FoldRegistryName(value->name),
                              std::move(value->value)};
            }
        }
        entry.lines.assign(
            std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(first)),
            std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(i + 1)));
        document.entries_.push_back(std::move(entry));
    }
    return document;
}

bool RegistryDocument::HasKey(std::string_view path) const {
    const std::string folded = FoldPath(path);
    return std::find(std::begin(kAlwaysPresent), std::end(kAlwaysPresent), folded) !=
               std::end(kAlwaysPresent) ||
           std::any_of(entries_.begin(), entries_.end(), [&folded](const Entry& entry) {
               return entry.kind == Kind::Section && entry.key.starts_with(folded) &&
                      (entry.key.size() == folded.size() || entry.key[folded.size()] == '\\');
           });
}

const RegistryValue* RegistryDocument::FindValue(std::string_view path,
                                                 std::string_view name) const {
    const std::string key = FoldPath(path);
    const std::string folded = FoldRegistryName(name);
    // The value's last line in the file is the one that counts.
    const auto found = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& entry) {
        return entry.kind == Kind::Value && entry.key == key && entry.name == folded;
    });
    return found == entries_.rend() ? nullptr : &found->value;
}

void RegistryDocument::AppendSection(std::string_view path) {
    if (!Trim(entries_.back().lines.back()).empty()) {
        entries_.push_back(Entry{Kind::Other, {std::string()}, {}, {}, {}});
    }
    const std::string line = std::string("[").append(ToUtf8(DecodeCp1251(NormalPath(path)))) + ']';
    entries_.push_back(Entry{Kind::Section, {line}, FoldPath(path), {}, {}});
}

bool RegistryDocument::SetValue(std::string_view path, const NamedValue& value) {
    const std::string key = FoldPath(path);
    Entry entry{Kind::Value, FormatValue(value), key, FoldRegistryName(value.name), value.value};
    const auto found = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& e) {
        return e.kind == Kind::Value && e.key == key && e.name == entry.name;
    });
    if (found != entries_.rend()) {
        const bool changed = found->value != value.value;
        *found = changed ? std::move(entry) : *found;
        return changed;
    }
    // Otherwise it joins the values of the key's last section, or a new section at the end.
    const auto section = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& e) {
        return e.kind == Kind::Section && e.key == key;
    });
    if (section == entries_.rend()) {
        AppendSection(path);
        entries_.push_back(std::move(entry));
        return true;
    }
    auto at = section.base();
    for (auto it = at; it != entries_.end() && it->kind != Kind::Section; ++it) {
        at = it->kind == Kind::Value ? it + 1 : at;
    }
    entries_.insert(at, std::move(entry));
    return true;
}

std::string RegistryDocument::Serialize() const {
    std::string out = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const Entry& entry : entries_) {
        for (const auto& line : entry.lines) {
            out += line + (crlf_ ? "\r\n" : "\n");
        }
    }
    return out;
}

RegistryDocument::Snapshot RegistryDocument::Contents() const {
    Snapshot snapshot;
    for (const Entry& entry : entries_) {
        if (entry.kind == Kind::Section && !entry.key.empty()) {
            snapshot.keys.insert(entry.key);
        } else if (entry.kind == Kind::Value) {
            snapshot.values[{entry.key, entry.name}] = entry.value;
        }
    }
    return snapshot;
}

}  // namespace vornikat
