#include "registry_document.hpp"

#include <algorithm>

#include "cp1251.hpp"
#include "registry_name.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kNewHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kAlwaysPresent[] = {"hkey_local_machine", "hkey_local_machine\\software",
                                               "hkey_current_user", "hkey_current_user\\software"};

// The path with single separators and no empty parts, folded; empty when it has no parts.
std::string FoldPath(std::string_view path) {
    std::string joined;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            if (!joined.empty()) {
                joined += '\\';
            }
            joined += path.substr(start, end - start);
        }
        start = end + 1;
    }
    return FoldRegistryName(joined);
}

// The folded path of a section line, or empty when it cannot be read: no closing bracket, an
// empty part, or a character outside Windows-1251.
std::string ReadSectionPath(std::string_view line) {
    const std::string_view trimmed = TrimLineSpace(line);
    if (trimmed.size() < 3 || trimmed.front() != '[' || trimmed.back() != ']') {
        return {};
    }
    const std::string_view inner = trimmed.substr(1, trimmed.size() - 2);
    if (inner.front() == '\\' || inner.back() == '\\' ||
        inner.find("\\\\") != std::string_view::npos) {
        return {};
    }
    const auto cp1251 = EncodeCp1251(FromUtf8(inner));
    return cp1251 ? FoldPath(*cp1251) : std::string();
}

bool StartsWithHexDigit(std::string_view line) {
    const std::string_view trimmed = TrimLineSpace(line);
    const char c = trimmed.empty() ? ' ' : trimmed.front();
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsAtOrUnder(const std::string& key, const std::string& path) {
    return key == path || (key.size() > path.size() && key.compare(0, path.size(), path) == 0 &&
                           key[path.size()] == '\\');
}

}  // namespace

RegistryDocument::RegistryDocument() {
    entries_.push_back(Entry{Kind::Other, {std::string(kNewHeader)}, {}, {}, {}});
}

RegistryDocument RegistryDocument::Parse(std::span<const std::uint8_t> bytes) {
    RegistryDocument document;
    auto text = DecodeRegistryText(bytes);
    if (!text) {
        document.foreign_ = true;
        return document;
    }
    if (text->lines.empty()) {
        return document;
    }
    document.entries_.clear();
    auto& lines = text->lines;
    document.entries_.push_back(Entry{Kind::Other, {lines.front()}, {}, {}, {}});
    std::string section;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        Entry entry;
        entry.lines.push_back(lines[i]);
        const std::string_view start = TrimLineSpace(lines[i]);
        if (!start.empty() && start.front() == '[') {
            section = ReadSectionPath(lines[i]);
            entry.kind = Kind::Section;
            entry.key = section;
        } else if (!section.empty() && !start.empty() &&
                   (start.front() == '"' || start.front() == '@')) {
            // A list goes on only over lines of hex digits: a blank line, a section or a value
            // after a stray backslash stays what it is.
            for (bool goesOn = ContinuesOnNextLine(lines[i]);
                 goesOn && i + 1 < lines.size() && StartsWithHexDigit(lines[i + 1]);) {
                entry.lines.push_back(lines[++i]);
                const std::string_view next = TrimLineSpace(lines[i]);
                goesOn = next.back() == '\\';
            }
            if (auto value = ParseValueLines(entry.lines)) {
                entry.kind = Kind::Value;
                entry.key = section;
                entry.name = FoldRegistryName(value->name);
                entry.value = std::move(value->value);
            }
        }
        document.entries_.push_back(std::move(entry));
    }
    text->lines.clear();
    document.text_ = std::move(*text);
    return document;
}

bool RegistryDocument::HasKey(std::string_view path) const {
    const std::string folded = FoldPath(path);
    if (std::find(std::begin(kAlwaysPresent), std::end(kAlwaysPresent), folded) !=
        std::end(kAlwaysPresent)) {
        return true;
    }
    return std::any_of(entries_.begin(), entries_.end(), [&folded](const Entry& entry) {
        return entry.kind == Kind::Section && !entry.key.empty() && IsAtOrUnder(entry.key, folded);
    });
}

const RegistryValue* RegistryDocument::FindValue(std::string_view path,
                                                 std::string_view name) const {
    const std::string key = FoldPath(path);
    const std::string folded = FoldRegistryName(name);
    const RegistryValue* found = nullptr;
    for (const Entry& entry : entries_) {
        if (entry.kind == Kind::Value && entry.key == key && entry.name == folded) {
            found = &entry.value;
        }
    }
    return found;
}

void RegistryDocument::AppendSection(std::string_view path) {
    if (!TrimLineSpace(entries_.back().lines.back()).empty()) {
        entries_.push_back(Entry{Kind::Other, {std::string()}, {}, {}, {}});
    }
    std::string spelled;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            spelled += (spelled.empty() ? "" : "\\") +
                       ToUtf8(DecodeCp1251(path.substr(start, end - start)));
        }
        start = end + 1;
    }
    entries_.push_back(Entry{Kind::Section, {"[" + spelled + "]"}, FoldPath(path), {}, {}});
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
    Entry entry{Kind::Value, FormatValueLines(value), key, FoldRegistryName(value.name),
                value.value};

    // The value's last line in the file is the one that counts: it is changed in place.
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->kind == Kind::Value && it->key == key && it->name == entry.name) {
            if (it->value == value.value) {
                return false;
            }
            *it = std::move(entry);
            return true;
        }
    }
    // Otherwise it joins the values of the key's last section, or a new section at the end.
    std::size_t at = 0;
    for (std::size_t i = entries_.size(); i-- > 0 && at == 0;) {
        if (entries_[i].kind == Kind::Section && entries_[i].key == key) {
            at = i + 1;
            for (std::size_t j = i + 1; j < entries_.size() && entries_[j].kind != Kind::Section;
                 ++j) {
                if (entries_[j].kind == Kind::Value) {
                    at = j + 1;
                }
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
    RegistryText text = text_;
    for (const Entry& entry : entries_) {
        text.lines.insert(text.lines.end(), entry.lines.begin(), entry.lines.end());
    }
    return EncodeRegistryText(text);
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
