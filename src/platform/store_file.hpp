// The file operations of the registry's store: a bounded read that cannot hang, an atomic
// replacement, a private folder, and setting a file aside under a new name.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vornikat {

struct StoreRead {
    enum class Status : std::uint8_t { Missing, Read, TooLarge, Failed };
    Status status = Status::Failed;
    std::vector<std::uint8_t> bytes;
    mode_t mode = 0600;  // of the file read, for its replacement
};

// Reads a regular file of at most maxBytes. Anything else at the path (a folder, a pipe, a
// device) is Failed, and so is a file that cannot be opened.
StoreRead ReadStoreFile(const std::filesystem::path& file, std::size_t maxBytes);

// Writes the bytes to a new file in the same folder, flushes it to the disk and renames it
// over the old one, so that a reader sees either the old file or the new, never a part.
bool ReplaceStoreFile(const std::filesystem::path& file, const std::string& bytes, mode_t mode);

// Creates the folder and any missing folder above it, each readable by its owner alone.
bool MakePrivateFolders(const std::filesystem::path& folder);

// Gives the file a second name that was free, "<name>.unreadable" or "<name>.unreadable.N";
// the new name, or nullopt when none could be given.
std::optional<std::filesystem::path> SetFileAside(const std::filesystem::path& file);

}  // namespace vornikat
