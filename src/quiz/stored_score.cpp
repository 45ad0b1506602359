// SPDX-License-Identifier: MIT
#include "stored_score.hpp"

#include <charconv>
#include <limits>
#include <string>

#include "arithmetic.hpp"
#include "text.hpp"

namespace vornikat {

std::u16string ScoreToText(float percent) {
    if (percent == 0.0F) {
        return u" 0";  // also for -0, which has no sign of its own here
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, percent).ptr;
    const std::u16string text = AsciiToText(std::string_view(digits, end));
    return percent < 0.0F ? text : u" " + text;
}

std::u16string CleanStoredText(std::u16string_view buffer) {
    const auto last = buffer.find_last_not_of(u' ');
    if (last == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(buffer.substr(0, last));
}

std::optional<std::int16_t> ReadLeadingNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const auto isDigit = [&text](std::size_t k) {
        return k < text.size() && text[k] >= u'0' && text[k] <= u'9';
    };
    std::string whole;
    for (; isDigit(i); ++i) {
        if (!whole.empty() || text[i] != u'0') {
            whole += static_cast<char>(text[i]);
        }
    }
    std::string fraction;
    if (i < text.size() && text[i] == u'.') {
        for (++i; isDigit(i); ++i) {
            fraction += static_cast<char>(text[i]);
        }
    }
    // Six or more digits before the point are past 16 bits whatever follows, and the
    // conversion below never has to deal with a number out of range.
    if (whole.size() > 5) {
        return std::nullopt;
    }
    const std::string number =
        (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec != std::errc{}) {
        value = 0.0;  // a fraction too small for a double
    }
    const double rounded = RoundHalfEven(negative ? -value : value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace vornikat
