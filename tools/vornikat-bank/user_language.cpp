// SPDX-License-Identifier: MIT
#include "user_language.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <string_view>
#endif

namespace vornikat::banktool {

bank::Language FindUserLanguage() {
#ifdef _WIN32
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN ? bank::Language::Russian
                                                                     : bank::Language::English;
#else
    // The first of these that is set and not empty decides, as the C library's own messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ru") ? bank::Language::Russian
                                                             : bank::Language::English;
        }
    }
    return bank::Language::English;
#endif
}

}  // namespace vornikat::banktool
