// Where the registry file of a user lives.
#pragma once

#include <filesystem>

namespace vornikat {

// $XDG_CONFIG_HOME/vornikat/registry.reg, with ~/.config when the variable is unset, empty or
// not an absolute path.
std::filesystem::path DefaultRegistryFile();

}  // namespace vornikat
