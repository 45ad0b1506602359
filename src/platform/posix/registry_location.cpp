// SPDX-License-Identifier: MIT
#include "registry_location.hpp"

#include <cstdio>

#include "file_registry.hpp"
#include "memory_registry.hpp"
#include "xdg_folders.hpp"

namespace vornikat {

std::optional<std::filesystem::path> DefaultRegistryFile() {
    const auto config = XdgFolder("XDG_CONFIG_HOME", ".config");
    if (!config) {
        return std::nullopt;
    }
    return *config / "vornikat" / "registry.reg";
}

std::unique_ptr<RegistryPort> OpenDefaultStore() {
    if (const auto file = DefaultRegistryFile()) {
        return std::make_unique<FileRegistry>(*file);
    }
    std::fputs(
        "vornikat: HOME is empty or not an absolute path: the score is kept for this run only\n",
        stderr);
    return std::make_unique<MemoryRegistry>();
}

}  // namespace vornikat
