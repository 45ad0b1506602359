// SPDX-License-Identifier: MIT
#include "stored_score.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "text.hpp"

namespace vornikat {

// Written digit by digit rather than through the standard library's conversions: the same
// text in every build, whatever the library or the process's locale.
std::u16string ScoreToText(float percent) {
    if (percent == 0.0F) {
        return u" 0";  // also for -0, which has no sign of its own here
    }
    // Millionths as a whole number; the scores stored are whole, anything finer is rounded.
    const double millionths = std::nearbyint(std::fabs(static_cast<double>(percent)) * 1e6);
    constexpr double kLargest = 1e18;
    if (!std::isfinite(percent) || millionths >= kLargest) {
        return percent < 0.0F ? u"-" : u" ";
    }
    const auto scaled = static_cast<std::uint64_t>(millionths);
    std::string digits = std::to_string(scaled / 1000000);
    std::string fraction = std::to_string(1000000 + scaled % 1000000).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) {
        digits += "." + fraction;
    }
    return (percent < 0.0F ? u"-" : u" ") + AsciiToText(digits);
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
    // Six or more digits before the point are past 16 bits whatever follows.
    if (whole.size() > 5) {
        return std::nullopt;
    }
    // Rounded on the digits themselves, ties to the even neighbour: exact, and free of the
    // floating-point text conversions that not every standard library has.
    std::int32_t rounded = whole.empty() ? 0 : std::stoi(whole);
    if (!fraction.empty() && fraction[0] >= '5') {
        const bool aboveHalf =
            fraction[0] > '5' || fraction.find_first_not_of('0', 1) != std::string::npos;
        if (aboveHalf || rounded % 2 != 0) {
            ++rounded;
        }
    }
    if (negative) {
        rounded = -rounded;
    }
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace vornikat
