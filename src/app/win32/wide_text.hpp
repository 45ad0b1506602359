// Texts as the wide functions of Windows take them: UTF-16 in wchar_t, and the system's code
// page (what the single-byte functions of the registry speak) widened.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::win32 {

std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);
// A text of the system's code page (CP_ACP) widened.
std::wstring AnsiToWide(std::string_view text);

}  // namespace vornikat::win32
