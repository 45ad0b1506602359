// SPDX-License-Identifier: MIT
// Replaces a file so that readers see either the old or the whole new content, never a part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vornikat {

// True when a file stands at the path with the read-only attribute: its owner means it to be
// kept, and every writer of banks refuses to replace it.
bool IsWriteProtected(const std::filesystem::path& target);

// Writes a temporary file beside the target straight through to the disk, then moves it over
// the target with a write-through move. Throws std::system_error naming the file; the target is
// untouched then and the temporary file gone.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace vornikat
