// The text layer of the registry file: its bytes as lines of UTF-8, and back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vornikat {

struct RegistryText {
    std::vector<std::string> lines;  // without their line ends
    bool byteOrderMark = false;      // a UTF-8 file that began with one keeps it
    bool crlf = false;               // lines end with CR LF, as the first one did
};

// nullopt when the bytes are no text of a registry file: neither UTF-8 nor UTF-16LE with its
// byte-order mark, a NUL among them, or a first line that is no registry file header. Empty
// bytes are an empty text with no header at all.
std::optional<RegistryText> DecodeRegistryText(std::span<const std::uint8_t> bytes);

// The lines as UTF-8, each ended as the text's own line ends are.
std::string EncodeRegistryText(const RegistryText& text);

bool IsRegistryHeader(std::string_view line);

// Spaces, tabs and a carriage return left at the end of a line.
bool IsLineSpace(char c);
std::string_view TrimLineSpace(std::string_view text);

}  // namespace vornikat
