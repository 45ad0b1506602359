// SPDX-License-Identifier: MIT
// Replaces a file so that readers see either the old or the whole new content, never a part.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>

namespace vornikat {

// The file that a chain of symbolic links at the path ends in; the path itself when it is no
// link. The end need not exist.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// True when a file stands at the path (links followed) and is meant to be kept: its mode grants
// no write to anyone, or the system refuses this user writing it. A rename beside it would
// replace it all the same, so every writer of banks asks this first and refuses.
bool IsWriteProtected(const std::filesystem::path& target);

// Writes a temporary file beside the file the path leads to (links followed, so a link stays a
// link), flushes it to disk, renames it over that file and flushes the folder. A new file gets
// the mode less the umask, a replaced one keeps its own. Only a regular file is replaced: a folder
// fails with EISDIR, a pipe, a socket or a device with ENOTSUP, a loop of links with ELOOP. Throws
// std::system_error naming the file; the target is untouched.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         mode_t mode = 0666);

// Removes the temporary files that writers killed before their rename left beside the file:
// the regular files of this user's that bear the whole of the writers' own name for them, and
// nothing else. Only for a caller that knows no other writer of the file is at work.
void RemoveLeftoverTempFiles(const std::filesystem::path& target);

}  // namespace vornikat
