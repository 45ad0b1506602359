#include "registry_document.hpp"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cp1251.hpp"
#include "registry_name.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::size_t kWrapColumn = 76;
constexpr std::string_view kAlwaysPresent[] = {"hkey_local_machine", "hkey_local_machine\\software",
                                               "hkey_current_user", "hkey_current_user\\software"};

// Spaces, tabs and a carriage return left at the end of a line.
bool IsLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsLineSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsLineSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsHeader(std::string_view line) {
    while (!line.empty() && IsLineSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line == kHeader || line == kOldHeader;
}

// Strict UTF-8 with no NUL.
bool IsCleanUtf8(std::string_view text) {
    for (std::size_t i = 0, length = 1; i < text.size(); i += length) {
        const auto c = DecodeUtf8Char(text.substr(i), length);
        if (!c || *c == 0) {
            return false;
        }
    }
    return true;
}

// UTF-16LE after its byte-order mark; nullopt on an odd length, a lone surrogate or a NUL.
std::optional<std::string> Utf16ToUtf8(std::span<const std::uint8_t> bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = static_cast<char32_t>(bytes[i] | (bytes[i + 1] << 8));
        const char32_t low =
            i + 3 < bytes.size() ? static_cast<char32_t>(bytes[i + 2] | (bytes[i + 3] << 8)) : 0;
        if (c >= 0xD800 && c <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// The file's text as UTF-8; nullopt when it is no text a registry export is written in.
std::optional<std::string> DecodeText(std::span<const std::uint8_t> bytes, bool& byteOrderMark) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return Utf16ToUtf8(bytes.subspan(2));
    }
    byteOrderMark = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    const std::string_view text(
        reinterpret_cast<const char*>(bytes.data()) + (byteOrderMark ? 3 : 0),
        bytes.size() - (byteOrderMark ? 3 : 0));
    if (IsCleanUtf8(text)) {
        return std::string(text);
    }
    // What regedit writes under the old header is the system's single-byte code page.
    if (!byteOrderMark && text.starts_with(kOldHeader) &&
        text.find('\0') == std::string_view::npos) {
        return ToUtf8(DecodeCp1251(text));
    }
    return std::nullopt;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    return EncodeCp1251(FromUtf8(utf8));
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    return ToUtf8(DecodeCp1251(cp1251));
}

// The parts of a path, without empty ones.
std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

std::string JoinPath(const std::vector<std::string_view>& parts) {
    std::string joined;
    for (const auto part : parts) {
        joined += (joined.empty() ? "" : "\\") + std::string(part);
    }
    return joined;
}

std::string FoldPath(std::string_view path) {
    return FoldRegistryName(JoinPath(SplitPath(path)));
}

// The folded path of a section line, or empty when it cannot be read: no closing bracket, an
// empty part, or a character outside Windows-1251.
std::string ReadSectionPath(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 3 || trimmed.front() != '[' || trimmed.back() != ']') {
        return {};
    }
    const std::string_view inner = trimmed.substr(1, trimmed.size() - 2);
    if (inner.front() == '\\' || inner.back() == '\\' ||
        inner.find("\\\\") != std::string_view::npos) {
        return {};
    }
    const auto cp1251 = Utf8ToCp1251(inner);
    return cp1251 ? FoldPath(*cp1251) : std::string();
}

// A value line read from the left.
struct Cursor {
    std::string_view rest;

    void SkipSpace() { rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(" \t\r"))); }
    bool Take(char c) {
        const bool found = !rest.empty() && rest.front() == c;
        rest.remove_prefix(found ? 1 : 0);
        return found;
    }
    // A word in any case.
    bool TakeWord(std::string_view word) {
        if (rest.size() < word.size() || FoldRegistryName(rest.substr(0, word.size())) != word) {
            return false;
        }
        rest.remove_prefix(word.size());
        return true;
    }
    // A quoted text, with \\ and \" as its only escapes.
    std::optional<std::string> TakeQuoted() {
        if (!Take('"')) {
            return std::nullopt;
        }
        std::string text;
        while (!Take('"')) {
            const bool escaped = Take('\\');
            if (rest.empty() || (escaped && rest.front() != '\\' && rest.front() != '"')) {
                return std::nullopt;
            }
            text += rest.front();
            rest.remove_prefix(1);
        }
        return text;
    }
    // The name before the equals sign, UTF-8.
    std::optional<std::string> TakeName() {
        SkipSpace();
        auto name = Take('@') ? std::optional(std::string()) : TakeQuoted();
        SkipSpace();
        if (!name || !Take('=')) {
            return std::nullopt;
        }
        SkipSpace();
        return name;
    }
};

std::optional<std::uint32_t> ReadHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(std::stoul(std::string(digits), nullptr, 16));
}

bool StartsWithHexDigit(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    return !trimmed.empty() && ReadHexNumber(trimmed.substr(0, 1), 1).has_value();
}

// True when the line opens a hex value whose list goes on to the next line.
bool ContinuesOnNextLine(std::string_view line) {
    Cursor cursor{line};
    return cursor.TakeName() && cursor.TakeWord("hex") && Trim(line).back() == '\\';
}

// The comma-separated bytes of a hex list, its continuation lines joined on.
std::optional<std::vector<std::uint8_t>> ReadHexList(std::string_view first,
                                                     const std::vector<std::string>& lines) {
    std::string list(Trim(first));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        list.pop_back();  // the backslash that made the list go on
        list += Trim(lines[i]);
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t start = 0; !list.empty() && start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const auto byte =
            ReadHexNumber(Trim(std::string_view(list).substr(start, comma - start)), 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        start = comma + 1;
    }
    return bytes;
}

// The value held by the lines (the first and its continuations); nullopt when they cannot be
// read, or name or text has a character outside Windows-1251.
std::optional<NamedValue> ReadValue(const std::vector<std::string>& lines) {
    Cursor cursor{lines.front()};
    const auto name = cursor.TakeName();
    auto cp1251Name = name ? Utf8ToCp1251(*name) : std::nullopt;
    if (!cp1251Name) {
        return std::nullopt;
    }
    NamedValue named{std::move(*cp1251Name), {}};
    RegistryValue& value = named.value;
    if (cursor.TakeWord("hex")) {
        value.type = 3;
        if (cursor.Take('(')) {
            const std::size_t close = cursor.rest.find(')');
            const auto type = close == std::string_view::npos
                                  ? std::nullopt
                                  : ReadHexNumber(cursor.rest.substr(0, close), 8);
            if (!type) {
                return std::nullopt;
            }
            value.type = *type;
            cursor.rest.remove_prefix(close + 1);
        }
        auto bytes = cursor.Take(':') ? ReadHexList(cursor.rest, lines) : std::nullopt;
        if (!bytes) {
            return std::nullopt;
        }
        value.data = std::move(*bytes);
    } else if (cursor.TakeWord("dword:")) {
        const auto n = ReadHexNumber(Trim(cursor.rest), 8);
        if (!n) {
            return std::nullopt;
        }
        value = {4,
                 {static_cast<std::uint8_t>(*n), static_cast<std::uint8_t>(*n >> 8),
                  static_cast<std::uint8_t>(*n >> 16), static_cast<std::uint8_t>(*n >> 24)}};
    } else {
        const auto text = cursor.TakeQuoted();
        const auto bytes = text && Trim(cursor.rest).empty() ? Utf8ToCp1251(*text) : std::nullopt;
        if (!bytes) {
            return std::nullopt;
        }
        value = {1, {bytes->begin(), bytes->end()}};
        value.data.push_back(0);
    }
    return named;
}

std::string Quote(std::string_view cp1251) {
    std::string quoted = "\"";
    for (const char c : Cp1251ToUtf8(cp1251)) {
        quoted += (c == '\\' || c == '"') ? std::string{'\\', c} : std::string{c};
    }
    return quoted + "\"";
}

// Text goes in quotes only when reading it back gives the same bytes: one NUL at the end and
// none before it, and no control character that would break or hide in the line.
bool FitsInQuotes(const RegistryValue& value) {
    return value.type == 1 && !value.data.empty() && value.data.back() == 0 &&
           std::all_of(value.data.begin(), value.data.end() - 1,
                       [](std::uint8_t b) { return b >= 0x20 && b != 0x7F && b != 0x98; });
}

// The lines that hold the value; the name must have no control characters.
std::vector<std::string> FormatValue(const NamedValue& named) {
    const RegistryValue& value = named.value;
    std::string line = (named.name.empty() ? std::string("@") : Quote(named.name)) + "=";
    char piece[24];
    if (FitsInQuotes(value)) {
        return {line + Quote(std::string(value.data.begin(), value.data.end() - 1))};
    }
    if (value.type == 4 && value.data.size() == 4) {
        std::snprintf(piece, sizeof piece, "dword:%02x%02x%02x%02x", value.data[3], value.data[2],
                      value.data[1], value.data[0]);
        return {line + piece};
    }
    std::snprintf(piece, sizeof piece, "hex(%x):", static_cast<unsigned>(value.type));
    line += value.type == 3 ? "hex:" : piece;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(piece, sizeof piece, i + 1 < value.data.size() ? "%02x," : "%02x",
                      value.data[i]);
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

bool IsAtOrUnder(const std::string& key, const std::string& path) {
    return key.starts_with(path) && (key.size() == path.size() || key[path.size()] == '\\');
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
    if (!IsHeader(lines.front())) {
        document.foreign_ = true;
        return document;
    }
    if (lines.front().starts_with(kOldHeader)) {
        lines.front() = kHeader;  // it is written back as UTF-8, which the old header is not
    }
    document.entries_.clear();
    document.entries_.push_back(Entry{Kind::Other, {lines.front()}, {}, {}, {}});
    std::string section;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        Entry entry{Kind::Other, {lines[i]}, {}, {}, {}};
        const std::string_view start = Trim(lines[i]);
        if (start.starts_with('[')) {
            section = ReadSectionPath(lines[i]);
            entry.kind = Kind::Section;
            entry.key = section;
        } else if (!section.empty() && (start.starts_with('"') || start.starts_with('@'))) {
            // A list goes on only over lines of hex digits: a blank line, a section or a value
            // after a stray backslash stays what it is.
            for (bool goesOn = ContinuesOnNextLine(lines[i]);
                 goesOn && i + 1 < lines.size() && StartsWithHexDigit(lines[i + 1]);) {
                entry.lines.push_back(lines[++i]);
                goesOn = Trim(lines[i]).back() == '\\';
            }
            if (auto value = ReadValue(entry.lines)) {
                entry = Entry{Kind::Value, std::move(entry.lines), section,
                              FoldRegistryName(value->name), std::move(value->value)};
            }
        }
        document.entries_.push_back(std::move(entry));
    }
    return document;
}

bool RegistryDocument::HasKey(std::string_view path) const {
    const std::string folded = FoldPath(path);
    return std::find(std::begin(kAlwaysPresent), std::end(kAlwaysPresent), folded) !=
               std::end(kAlwaysPresent) ||
           std::any_of(entries_.begin(), entries_.end(), [&folded](const Entry& entry) {
               return entry.kind == Kind::Section && !entry.key.empty() &&
                      IsAtOrUnder(entry.key, folded);
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
    entries_.push_back(Entry{Kind::Section,
                             {"[" + Cp1251ToUtf8(JoinPath(SplitPath(path))) + "]"},
                             FoldPath(path),
                             {},
                             {}});
}

bool RegistryDocument::AddKey(std::string_view path) {
    if (HasKey(path)) {
        return false;
    }
    AppendSection(path);
    return true;
}

bool RegistryDocument::SetValue(std::string_view path, const NamedValue& value) {
    const std::string key = FoldPath(path);
    Entry entry{Kind::Value, FormatValue(value), key, FoldRegistryName(value.name), value.value};
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->kind == Kind::Value && it->key == key && it->name == entry.name) {
            const bool changed = it->value != value.value;
            if (changed) {
                *it = std::move(entry);
            }
            return changed;
        }
    }
    // Otherwise it joins the values of the key's last section, or a new section at the end.
    std::size_t at = 0;
    for (std::size_t i = entries_.size(); i-- > 0 && at == 0;) {
        if (entries_[i].kind == Kind::Section && entries_[i].key == key) {
            at = i + 1;
            for (std::size_t j = i + 1; j < entries_.size() && entries_[j].kind != Kind::Section;
                 ++j) {
                at = entries_[j].kind == Kind::Value ? j + 1 : at;
            }
        }
    }
    if (at == 0) {
        AppendSection(path);
        at = entries_.size();
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return true;
}

std::string RegistryDocument::Serialize() const {
    std::string out = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const Entry& entry : entries_) {
        for (const auto& line : entry.lines) {
            out += line;
            out += crlf_ ? "\r\n" : "\n";
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
