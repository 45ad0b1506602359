// The registry kept in a text file in the form of a registry export, for systems that have no
// registry of their own. Every change re-reads the file under a lock and replaces it whole, so
// copies of the program running side by side never lose each other's values.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>

#include "ports.hpp"
#include "registry_document.hpp"

namespace vornikat {

class FileRegistry : public RegistryPort {
  public:
    // Notices (a file that is not a registry file being set aside) go to the stream.
    explicit FileRegistry(std::filesystem::path file, std::ostream& notices);
    explicit FileRegistry(std::filesystem::path file);

    long OpenKey(RegKey root, std::string_view path, RegAccess access, RegKey& key) override;
    long CreateKey(RegKey root, std::string_view path, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                    std::span<std::uint8_t> buffer, std::uint32_t& byteCount) override;
    long CloseKey(RegKey key) override;

  private:
    struct Handle {
        std::string path;  // full, spelled as it was opened
        bool readOnly = false;
    };

    bool FullPath(RegKey root, std::string_view path, std::string& full) const;
    RegistryDocument Read() const;
    // Applies the change to the file as it is now; the change tells whether it changed anything.
    long Change(const std::function<bool(RegistryDocument&)>& change);
    RegKey NewHandle(std::string path, bool readOnly);

    std::filesystem::path file_;
    std::ostream& notices_;
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace vornikat
