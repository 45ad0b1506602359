// SPDX-License-Identifier: MIT
// Runs the vornikat-script tool on a script and gives back its trace and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vornikat::testing {

struct ScriptRun {
    std::vector<std::string> lines;
    int status = -1;
};

// A fresh folder under the system's temporary folder, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

  private:
    std::filesystem::path path_;
};

// A text as one word for the shell, whatever it holds.
std::string ShellQuote(const std::string& text);

// The tool runs with searchPath as its PATH, so that no program of this machine is found.
ScriptRun RunScript(const std::filesystem::path& dir, const std::string& script,
                    const std::vector<std::string>& extraArgs = {},
                    const std::string& searchPath = "");

}  // namespace vornikat::testing
