// SPDX-License-Identifier: MIT
// The file system as the core sees it, on Windows.
#pragma once

#include <string>

#include "ports.hpp"

namespace vornikat::win32 {

class Win32FileSystem : public FileSystemPort {
  public:
    // Without a bank, data.bin is read from the current folder; with one (a full path), that
    // file stands in for data.bin.
    Win32FileSystem() = default;
    explicit Win32FileSystem(std::wstring bank) : bank_(std::move(bank)) {}

    void MakeProgramDirectoryCurrent() override;
    // Only a file on a disk is read: a pipe, console or device is reported as impossible to
    // open, at once, since reading one could hang the start.
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    // The path is a text of the system's code page, as the registry gives it.
    bool FileExists(std::string_view path) override;
    // Names the bank on standard error, escaped: the one given, or data.bin beside the program
    // and whether it was there at all.
    void ReportUnreadableFile(std::string_view name) override;

  private:
    std::wstring bank_;
};

// A disk file opened for reading; nullptr for anything else or on any failure.
std::unique_ptr<ByteSource> OpenDiskFile(const std::wstring& path);

}  // namespace vornikat::win32
