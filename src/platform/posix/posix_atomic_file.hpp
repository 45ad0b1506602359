// SPDX-License-Identifier: MIT
// What the Linux writer of atomic_file.hpp offers beyond every system's: the mode of a new file,
// and the clean-up of what its killed writes left behind.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>

#include "atomic_file.hpp"

namespace vornikat {

// WriteFileAtomically with the mode a new file gets, less the umask; a replaced one keeps its
// own. The folder is flushed after the rename. A folder fails with EISDIR, a pipe, a socket or
// a device with ENOTSUP, a loop of links with ELOOP.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         mode_t mode);

// Removes the temporary files that writers killed before their rename left beside the file:
// the regular files of this user's that bear the whole of the writers' own name for them, and
// nothing else. Only for a caller that knows no other writer of the file is at work.
void RemoveLeftoverTempFiles(const std::filesystem::path& target);

}  // namespace vornikat
