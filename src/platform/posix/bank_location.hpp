// SPDX-License-Identifier: MIT
// Where the desktop program finds the question bank it plays when the command line names none.
#pragma once

#include <filesystem>
#include <vector>

namespace vornikat {

// The places a bank is looked for, in order: data.bin in the program's folder (a build tree,
// a portable copy); the user's own, $XDG_DATA_HOME/vornikat/data.bin (~/.local/share when the
// variable is unset or relative); and the bank installed with the program, in installedData
// relative to the program's folder. A place with no absolute folder is left out.
std::vector<std::filesystem::path> BankPlaces(const std::filesystem::path& programFolder,
                                              const std::filesystem::path& installedData);

// The first place where something exists (a file that cannot be read is then reported as
// the broken bank it is, rather than passed over); empty when there is none.
std::filesystem::path FindBank(const std::vector<std::filesystem::path>& places);

}  // namespace vornikat
