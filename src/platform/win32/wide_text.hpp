// SPDX-License-Identifier: MIT
// Texts as the wide functions of Windows take them: UTF-16 in wchar_t.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::win32 {

std::wstring ToWide(std::u16string_view text);

}  // namespace vornikat::win32
