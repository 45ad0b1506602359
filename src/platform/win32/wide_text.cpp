// SPDX-License-Identifier: MIT
#include "wide_text.hpp"

namespace vornikat::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace vornikat::win32
