// The file system as the core sees it, on Windows.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32FileSystem : public FileSystemPort {
  public:
    void MakeProgramDirectoryCurrent() override;
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    // The path is a text of the system's code page, as the registry gives it.
    bool FileExists(std::string_view path) override;
};

}  // namespace vornikat::win32
