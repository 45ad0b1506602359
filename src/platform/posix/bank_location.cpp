// SPDX-License-Identifier: MIT
#include "bank_location.hpp"

#include <algorithm>
#include <system_error>

#include "terminal_text.hpp"
#include "xdg_folders.hpp"

namespace vornikat {

std::vector<std::filesystem::path> BankPlaces(const std::filesystem::path& programFolder,
                                              const std::filesystem::path& installedData) {
    std::vector<std::filesystem::path> places;
    // An installed program's folder is the system's (/usr/bin), no place for a player's bank;
    // a build tree or a portable copy has no installed bank's folder beside it.
    std::error_code error;
    const bool installed = programFolder.is_absolute() &&
                           std::filesystem::is_directory(programFolder / installedData, error);
    if (programFolder.is_absolute() && !installed) {
        places.push_back(programFolder / "data.bin");
    }
    if (const auto data = XdgFolder("XDG_DATA_HOME", ".local/share")) {
        places.push_back(*data / "vornikat" / "data.bin");
    }
    if (programFolder.is_absolute()) {
        places.push_back((programFolder / installedData / "data.bin").lexically_normal());
    }
    // A place named twice (a program run from the player's own folder) is looked at once.
    std::vector<std::filesystem::path> once;
    for (const auto& place : places) {
        if (std::find(once.begin(), once.end(), place) == once.end()) {
            once.push_back(place);
        }
    }
    return once;
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

std::filesystem::path NamedBankPath(std::string_view name) {
    const std::filesystem::path path(name);
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

std::string UnreadableBankLine(std::string_view program, std::string_view name) {
    return std::string(program) + ": the question bank " + QuoteForTerminal(name) +
           " cannot be read";
}

std::string NoBankLine(std::string_view program, const std::vector<std::filesystem::path>& places) {
    if (places.empty()) {
        return std::string(program) + ": no question bank found, and no place to look for one";
    }
    std::string line = std::string(program) + ": no question bank found; looked for";
    const char* separator = " ";
    for (const auto& place : places) {
        line += separator + QuoteForTerminal(place.native());
        separator = ", ";
    }
    return line;
}

}  // namespace vornikat
