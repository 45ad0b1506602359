// SPDX-License-Identifier: MIT
#include "bank_location.hpp"

#include <system_error>

#include "xdg_folders.hpp"

namespace vornikat {

std::vector<std::filesystem::path> BankPlaces(const std::filesystem::path& programFolder,
                                              const std::filesystem::path& installedData) {
    std::vector<std::filesystem::path> places;
    if (programFolder.is_absolute()) {
        places.push_back(programFolder / "data.bin");
    }
    if (const auto data = XdgFolder("XDG_DATA_HOME", ".local/share")) {
        places.push_back(*data / "vornikat" / "data.bin");
    }
    if (programFolder.is_absolute()) {
        places.push_back((programFolder / installedData / "data.bin").lexically_normal());
    }
    return places;
}

std::filesystem::path FindBank(const std::vector<std::filesystem::path>& places) {
    for (const auto& place : places) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(place, error))) {
            return place;
        }
    }
    return {};
}

}  // namespace vornikat
