// SPDX-License-Identifier: MIT
// Where the registry file of a user lives, and the store the desktop program keeps.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "ports.hpp"

namespace vornikat {

// $XDG_CONFIG_HOME/vornikat/registry.reg, with ~/.config when the variable is unset, empty or
// not an absolute path; nullopt when there is no absolute home folder to put it under either.
std::optional<std::filesystem::path> DefaultRegistryFile();

// The store of the desktop program, in the default registry file. Where there is none, the
// run keeps its registry in memory and says so in one line on standard error. Worked out
// before the start-up changes the current folder.
std::unique_ptr<RegistryPort> OpenDefaultStore();

}  // namespace vornikat
