// SPDX-License-Identifier: MIT
// Replaces a file so that readers see either the old or the whole new content, never a part:
// how every writer of banks saves, on every system (posix/atomic_file.cpp,
// win32/atomic_file.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vornikat {

// True when a file stands at the path (links followed) and its owner means it to be kept: on
// Linux its mode grants no write to anyone or the system refuses this user writing it, on
// Windows it bears the read-only attribute. A rename beside it would replace it all the same,
// so every writer of banks asks this first and refuses.
bool IsWriteProtected(const std::filesystem::path& target);

// Writes a temporary file beside the file the path leads to (a link stays a link), flushes it
// to disk and moves it over that file. Only a regular file is replaced: a folder, a pipe, a
// socket, a device or a loop of links fails. Throws std::system_error naming the file; the
// target is untouched then, and the temporary file gone.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// Removes the temporary files that writers killed before their move left beside the file:
// those that bear the whole of the writers' own name for them (on Linux a regular file of this
// user's; on Windows one of a process that is gone), and nothing else. Only for a caller that
// knows no other writer of the file is at work.
void RemoveLeftoverTempFiles(const std::filesystem::path& target);

}  // namespace vornikat
