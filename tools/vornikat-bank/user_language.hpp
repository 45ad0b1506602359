// SPDX-License-Identifier: MIT
// The language the person at the terminal reads: Russian where the system speaks it, English
// otherwise.
#pragma once

#include "draft_bank.hpp"

namespace vornikat::banktool {

// On Linux the locale of messages (LC_ALL, then LC_MESSAGES, then LANG, the first one set);
// on Windows the user's language of the system's own windows.
bank::Language FindUserLanguage();

}  // namespace vornikat::banktool
