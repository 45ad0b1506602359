// Replaces a file so that readers see either the old or the whole new content, never a part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vornikat::bank {

// Writes a temporary file in the target's folder, flushes it to disk and renames it over the
// target. Throws std::system_error, naming the file, and leaves the target untouched.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace vornikat::bank
