// SPDX-License-Identifier: MIT
// Reads the multiple-choice questions of a GIFT text, the format learning platforms export
// their question banks in: an optional ::title::, the question, and its answers in braces, "="
// before the right one and "~" before each wrong one. Questions of other kinds are counted as
// skipped.
#pragma once

#include <string_view>

#include "draft_bank.hpp"

namespace vornikat::bank {

// text: UTF-8 with "\n" line ends, as DecodeBankText makes it.
DraftBank ReadGift(std::string_view text, Language language = Language::English);

}  // namespace vornikat::bank
