// SPDX-License-Identifier: MIT
#include "xdg_folders.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vornikat {

std::optional<std::filesystem::path> HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr) {
        const std::filesystem::path path = home;
        return path.is_absolute() ? std::optional(path) : std::nullopt;
    }
    if (const passwd* account = ::getpwuid(::getuid());
        account != nullptr && account->pw_dir != nullptr &&
        std::filesystem::path(account->pw_dir).is_absolute()) {
        return std::filesystem::path(account->pw_dir);
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> XdgFolder(const char* variable,
                                               const std::filesystem::path& underHome) {
    if (const char* value = std::getenv(variable); value != nullptr) {
        const std::filesystem::path path = value;
        if (path.is_absolute()) {
            return path;
        }
    }
    const auto home = HomeFolder();
    return home ? std::optional(*home / underHome) : std::nullopt;
}

}  // namespace vornikat
