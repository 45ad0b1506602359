// SPDX-License-Identifier: MIT
#include "russian_plural.hpp"

namespace vornikat::bank {

std::string_view RussianPlural(std::int64_t count, std::string_view one, std::string_view few,
                               std::string_view many) {
    const std::int64_t units = (count < 0 ? -count : count) % 100;
    if (units >= 11 && units <= 14) {
        return many;
    }
    switch (units % 10) {
        case 1:
            return one;
        case 2:
        case 3:
        case 4:
            return few;
        default:
            return many;
    }
}

}  // namespace vornikat::bank
