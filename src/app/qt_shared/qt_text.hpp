// SPDX-License-Identifier: MIT
// Texts of the core as Qt strings.
#pragma once

#include <QString>
#include <string_view>

#include "text.hpp"

namespace vornikat {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A button text in which "&" is the character itself, never the mark of an access key.
inline QString LiteralButtonText(std::u16string_view text) {
    return ToQString(EscapeAccessKeys(text));
}

}  // namespace vornikat
