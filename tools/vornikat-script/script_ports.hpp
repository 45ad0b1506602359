// SPDX-License-Identifier: MIT
// The ports of the scripted front-end: every effect is printed, every answer is read.
#pragma once

#include <filesystem>
#include <string>

#include "posix_file_system.hpp"
#include "tracing_ports.hpp"

namespace vornikat::script {

// The trace goes to standard output, a line at a time; the boxes' answers come from the
// script on standard input; the sounds are the program's own.
class ScriptPorts : public TracingPorts {
  public:
    explicit ScriptPorts(std::string searchPath) : searchPath_(std::move(searchPath)) {}

    // Flushed at once, so a driver sees each line as it comes.
    void WriteLine(std::string_view line) override;
    // Looks for the system-information tool on the PATH the tool was started with, as the
    // desktop program does.
    std::string FindFallbackSystemInfoTool() override;
    char PathSeparator() const override { return '/'; }

  protected:
    int AnswerBox(int flags) override;
    std::optional<std::span<const std::uint8_t>> FindSound(int id) override;
    bool CanStart(std::string_view path) override;

  private:
    std::string searchPath_;
};

// The system's files, with DIR standing in for the program's folder and its data.bin for the
// bank, which `unreadable` names on standard error when it cannot be read.
class ScriptFiles : public PosixFileSystem {
  public:
    ScriptFiles(std::filesystem::path programDirectory, std::filesystem::path bank,
                std::string unreadable)
        : PosixFileSystem(std::move(bank), std::move(unreadable)),
          programDirectory_(std::move(programDirectory)) {}
    void MakeProgramDirectoryCurrent() override;

  private:
    std::filesystem::path programDirectory_;
};

}  // namespace vornikat::script
