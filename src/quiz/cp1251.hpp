// SPDX-License-Identifier: MIT
// The Windows-1251 code page: the single-byte codes of the bank and the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornikat {

char16_t DecodeCp1251(std::uint8_t code);
std::optional<std::uint8_t> EncodeCp1251(char16_t c);

std::u16string DecodeCp1251(std::string_view bytes);
// nullopt when a character has no code in Windows-1251.
std::optional<std::string> EncodeCp1251(std::u16string_view text);

// Registry key paths and value names compare without regard to case, Cyrillic included: the
// Windows-1251 text with every capital letter, Latin or Cyrillic, made small.
std::string FoldRegistryName(std::string_view cp1251);

}  // namespace vornikat
