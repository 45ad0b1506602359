// SPDX-License-Identifier: MIT
// The user's base folders as the XDG rules name them.
#pragma once

#include <filesystem>
#include <optional>

namespace vornikat {

// The user's home: $HOME when it is an absolute path, the account's own home when HOME is
// unset; nullopt when HOME is empty or relative, which would make every folder under it
// depend on the current folder.
std::optional<std::filesystem::path> HomeFolder();

// $variable when it is an absolute path (a relative one is ignored, as the rules say), else
// the home folder with underHome; nullopt when neither gives an absolute folder.
std::optional<std::filesystem::path> XdgFolder(const char* variable,
                                               const std::filesystem::path& underHome);

}  // namespace vornikat
