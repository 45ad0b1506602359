// The program's files on a POSIX system.
#pragma once

#include "ports.hpp"

namespace vornikat {

// Paths come in the system code page of the registry (Windows-1251) and are UTF-8 on disk.
class PosixFileSystem : public FileSystemPort {
  public:
    void MakeProgramDirectoryCurrent() override;
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    bool FileExists(std::string_view path) override;
};

// A Windows-1251 path as the file system spells it.
std::string NativePath(std::string_view cp1251Path);

}  // namespace vornikat
