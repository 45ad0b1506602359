// SPDX-License-Identifier: MIT
// What the Linux writer of atomic_file.hpp offers beyond every system's: the mode of a new file.
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

}  // namespace vornikat
