// Registry key paths and value names compare without regard to case, Cyrillic included.
#pragma once

#include <string>
#include <string_view>

namespace vornikat {

// The Windows-1251 text with every capital letter, Latin or Cyrillic, made small.
std::string FoldRegistryName(std::string_view cp1251);

}  // namespace vornikat
