#include "registry_location.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vornikat {
namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    // No HOME: the account's own home folder.
    if (const passwd* account = ::getpwuid(::getuid());
        account != nullptr && account->pw_dir != nullptr) {
        return account->pw_dir;
    }
    return "/";
}

}  // namespace

std::filesystem::path DefaultRegistryFile() {
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        config = xdg;
    }
    if (!config.is_absolute()) {
        config = HomeFolder() / ".config";
    }
    return config / "vornikat" / "registry.reg";
}

}  // namespace vornikat
