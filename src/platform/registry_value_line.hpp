// One value of a registry file: "Name"="text", "Name"=dword:..., "Name"=hex(T):... or @ for
// the key's default value, a long hex list going on over lines that end with a backslash.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornikat {

struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const RegistryValue&) const = default;
};

struct NamedValue {
    std::string name;  // Windows-1251; empty for the default value
    RegistryValue value;
};

// True when the line opens a hex value whose list goes on to the next line.
bool ContinuesOnNextLine(std::string_view line);

// The value held by these lines (the first and its continuations); nullopt when they cannot be
// read, or name or text has a character outside Windows-1251.
std::optional<NamedValue> ParseValueLines(const std::vector<std::string>& lines);

// The lines that hold the value. Text goes in quotes only when reading it back gives the same
// bytes; anything else goes as hex. The name must have no control characters.
std::vector<std::string> FormatValueLines(const NamedValue& value);

}  // namespace vornikat
