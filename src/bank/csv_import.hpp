// SPDX-License-Identifier: MIT
// Reads questions from a table as spreadsheets save it as CSV: a row per question, its text,
// its options and, in the last column, the right one by number (1 to 5) or letter (A to E, or
// А to Д); "," or ";" between fields, whichever the table uses; quoted fields with "" for a quote
// and line breaks inside; a header row known and left out.
#pragma once

#include <string_view>

#include "draft_bank.hpp"

namespace vornikat::bank {

// text: UTF-8 with "\n" line ends, as DecodeBankText makes it.
DraftBank ReadCsv(std::string_view text, Language language = Language::English);

// The separator the table uses: ',' or ';'.
char DetectCsvSeparator(std::string_view text);

}  // namespace vornikat::bank
