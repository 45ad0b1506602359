// SPDX-License-Identifier: MIT
// Reads the multiple-choice questions of a Moodle XML quiz export: each <question
// type="multichoice"> with exactly one answer of fraction 100, its texts' HTML reduced to the
// plain text the quiz shows. Questions of other kinds, or with several right answers, are
// counted as skipped; categories are not questions. A small reader of its own: no DTD, no
// entity but XML's five and character references, so that no input makes it expand or hang.
#pragma once

#include <string_view>

#include "draft_bank.hpp"

namespace vornikat::bank {

// text: UTF-8 with "\n" line ends, as DecodeBankText makes it.
DraftBank ReadMoodleXml(std::string_view text, Language language = Language::English);

}  // namespace vornikat::bank
