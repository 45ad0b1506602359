// SPDX-License-Identifier: MIT
// A whole draft as bytes, for the editor page to keep in the browser's storage while it is
// edited: every text, the right option, the options past the fifth and the form an Aiken save
// keeps. An image that is cut short, altered or of another kind restores nothing, never part of
// a bank.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "bank_bytes.hpp"
#include "draft_bank.hpp"

namespace vornikat::bank {

struct DraftImage {
    std::vector<DraftQuestion> questions;
    TextForm form;
};

std::vector<std::uint8_t> MakeDraftImage(std::span<const DraftQuestion> questions, TextForm form);
std::optional<DraftImage> ReadDraftImage(std::span<const std::uint8_t> bytes);

}  // namespace vornikat::bank
