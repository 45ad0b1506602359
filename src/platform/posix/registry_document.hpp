// SPDX-License-Identifier: MIT
// A registry export held as its lines: the keys and values read from it, and every line the
// store does not own kept as it stands, so that writing it back changes only what was set.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ports.hpp"

namespace vornikat {

using RegistryValue = RegValue;

struct NamedValue {
    std::string name;  // Windows-1251; empty for the key's default value
    RegistryValue value;
};

class RegistryDocument {
  public:
    // A new file: the header and nothing else.
    RegistryDocument();

    // Reads UTF-8 (with or without a byte-order mark), UTF-16LE with its byte-order mark, and
    // the Windows-1251 that regedit writes under a REGEDIT4 header. Never fails: anything else
    // reads as an empty document, marked foreign.
    static RegistryDocument Parse(std::span<const std::uint8_t> bytes);

    // Neither an empty file nor a registry export; it must not be overwritten unseen.
    bool Foreign() const { return foreign_; }

    // Paths are full paths in Windows-1251 ("HKEY_LOCAL_MACHINE\Software\Vornikat"); any case,
    // empty parts ignored. The roots and their Software keys always exist, and a key implies
    // every key above it.
    bool HasKey(std::string_view path) const;
    const RegistryValue* FindValue(std::string_view path, std::string_view name) const;
    // Sets the value, adding its key if need be; true when the document changed.
    bool SetValue(std::string_view path, const NamedValue& value);

    // Always UTF-8 under the "Windows Registry Editor Version 5.00" header, with the line ends
    // and byte-order mark of the file read.
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
        std::vector<std::string> lines;  // UTF-8, without their line ends
        std::string key;   // folded path of the section, or of the value's section; empty when
                           // the section cannot be read
        std::string name;  // a value's folded name
        RegistryValue value;
    };

    void AppendSection(std::string_view path);

    std::vector<Entry> entries_;
    bool byteOrderMark_ = false;
    bool crlf_ = false;
    bool foreign_ = false;
};

}  // namespace vornikat
