// SPDX-License-Identifier: MIT
// The program's files on a POSIX system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ports.hpp"

namespace vornikat {

// Paths come in the system code page of the registry (Windows-1251) and are UTF-8 on disk.
class PosixFileSystem : public FileSystemPort {
  public:
    // Without a bank, data.bin is read from the current folder; with one, that file stands in
    // for data.bin wherever it lies (an empty one: nothing is read), and `unreadable` is the
    // line that tells on standard error why it could not be.
    PosixFileSystem() = default;
    PosixFileSystem(std::filesystem::path bank, std::string unreadable)
        : bank_(std::move(bank)), unreadable_(std::move(unreadable)) {}
    // The line names the file as the path spells it.
    explicit PosixFileSystem(std::filesystem::path bank);

    void MakeProgramDirectoryCurrent() override;
    // Only a regular file is read: a pipe, socket, terminal, device or folder is reported as
    // impossible to open, at once, since waiting on one would hang the start.
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    bool FileExists(std::string_view path) override;
    // Names the bank file on standard error, where the box can only say data.bin.
    void ReportUnreadableFile(std::string_view name) override;

  private:
    std::optional<std::filesystem::path> bank_;
    std::string unreadable_;
};

// A Windows-1251 path as the file system spells it.
std::string NativePath(std::string_view cp1251Path);

// The folder of the running executable; empty when the system does not tell.
std::filesystem::path ProgramFolder();

// A regular file opened for reading without ever waiting; nullptr for anything else.
std::unique_ptr<ByteSource> OpenRegularFile(const std::filesystem::path& path);

}  // namespace vornikat
