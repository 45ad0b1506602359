// SPDX-License-Identifier: MIT
// The one way into a bank's source, whatever wrote it: Aiken text as authors write it, or the
// formats other tools export (GIFT, Moodle XML, a spreadsheet's CSV), in any encoding
// DecodeBankText reads, each made the same draft.
#pragma once

#include <optional>
#include <string_view>

#include "draft_bank.hpp"

namespace vornikat::bank {

enum class SourceFormat { Aiken, Gift, MoodleXml, Csv };

// By the name the bank tool's --from takes: "aiken", "gift", "xml" or "csv".
std::optional<SourceFormat> SourceFormatNamed(std::string_view name);

// By the file name's extension (.gift, .xml, .csv; .txt and others say nothing), then by what
// the text looks like; Aiken when nothing else fits.
SourceFormat DetectSourceFormat(std::string_view fileName, std::string_view bytes);

DraftBank ReadBankSource(std::string_view bytes, SourceFormat format,
                         Language language = Language::English);

}  // namespace vornikat::bank
