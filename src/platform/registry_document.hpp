// A registry file held as its lines: the keys and values read from it, and every line the
// program does not own kept as it stands, so that writing it back changes only what was set.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry_text.hpp"
#include "registry_value_line.hpp"

namespace vornikat {

class RegistryDocument {
  public:
    // A new file: the header and nothing else.
    RegistryDocument();

    // Never fails: a file that is not a registry file reads as an empty one, marked foreign.
    static RegistryDocument Parse(std::span<const std::uint8_t> bytes);

    // Neither an empty file nor a registry file; it must not be overwritten unseen.
    bool Foreign() const { return foreign_; }

    // Paths are full paths in Windows-1251 ("HKEY_LOCAL_MACHINE\Software\Vornikat"); any case,
    // empty parts ignored. The roots and their Software keys always exist, and a key implies
    // every key above it.
    bool HasKey(std::string_view path) const;
    const RegistryValue* FindValue(std::string_view path, std::string_view name) const;
    // Adds the key (spelled as given) unless it exists; true when the document changed.
    bool AddKey(std::string_view path);
    // Sets the value, adding its key if need be; true when the document changed.
    bool SetValue(std::string_view path, const NamedValue& value);

    std::string Serialize() const;

    // Every key named in the file and every value as it reads, by folded path and name.
    struct Snapshot {
        std::set<std::string> keys;
        std::map<std::pair<std::string, std::string>, RegistryValue> values;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Contents() const;

  private:
    enum class Kind : std::uint8_t { Other, Section, Value };
    struct Entry {
        Kind kind = Kind::Other;
        std::vector<std::string> lines;
        std::string key;   // folded path of the section, or of the value's section; empty when
                           // the section cannot be read
        std::string name;  // a value's folded name
        RegistryValue value;
    };

    void AppendSection(std::string_view path);

    RegistryText text_;  // its lines are unused: the entries hold them
    std::vector<Entry> entries_;
    bool foreign_ = false;
};

}  // namespace vornikat
