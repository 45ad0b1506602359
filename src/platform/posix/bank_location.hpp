// SPDX-License-Identifier: MIT
// Where the desktop program finds the question bank it plays when the command line names none.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vornikat {

// The places a bank is looked for, in order: data.bin in the program's folder (a build tree,
// a portable copy; not for an installed program, whose installedData folder exists); the
// user's own, $XDG_DATA_HOME/vornikat/data.bin (~/.local/share when the variable is unset or
// relative); and the bank installed with the program, in installedData relative to the
// program's folder. A place with no absolute folder is left out.
std::vector<std::filesystem::path> BankPlaces(const std::filesystem::path& programFolder,
                                              const std::filesystem::path& installedData);

// The first place where something exists (a file that cannot be read is then reported as
// the broken bank it is, rather than passed over); empty when there is none.
std::filesystem::path FindBank(const std::vector<std::filesystem::path>& places);

// The bank the player named, as a path to open: relative names are taken from the current
// folder now, since the start-up changes it; an empty name stays empty (nothing is opened).
std::filesystem::path NamedBankPath(std::string_view name);

// The line on standard error for a bank the player named that cannot be read: the name exactly
// as given, escaped for the terminal.
std::string UnreadableBankLine(std::string_view program, std::string_view name);

// The line on standard error when no place holds a bank: the places looked at, in order.
std::string NoBankLine(std::string_view program, const std::vector<std::filesystem::path>& places);

}  // namespace vornikat
