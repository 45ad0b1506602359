// The ports of the scripted front-end: every effect is printed, every answer is read.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>

#include "ports.hpp"
#include "posix_file_system.hpp"
#include "posix_launcher.hpp"

namespace vornikat::script {

// Thrown by EndProgram; main() catches it and exits with status 0.
struct ProgramEnded {};

class ScriptWindow : public MainWindowPort {
  public:
    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;

    // The user selects option n (1..5).
    void Select(int n);
    std::int32_t TimerInterval() const { return interval_; }

  private:
    std::array<std::int16_t, 5> values_ = {kTrue, kFalse, kFalse, kFalse, kFalse};
    std::int32_t interval_ = 0;
};

class ScriptDialogs : public DialogPort {
  public:
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
};

// The sounds the tool serves, and the player that names the sound it was handed.
class ScriptResources : public ResourcePort, public SoundPort {
  public:
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
    void PlayWave(std::span<const std::uint8_t> image) override;

  private:
    std::map<const std::uint8_t*, int> served_;
};

// The system's files, with DIR standing in for the program's folder.
class ScriptFiles : public PosixFileSystem {
  public:
    explicit ScriptFiles(std::filesystem::path programDirectory)
        : programDirectory_(std::move(programDirectory)) {}
    void MakeProgramDirectoryCurrent() override;

  private:
    std::filesystem::path programDirectory_;
};

// Looks for the system-information tool on the PATH the tool was started with, as the
// desktop program does, and starts nothing.
class ScriptLauncher : public LauncherPort {
  public:
    explicit ScriptLauncher(std::string searchPath) : searchPath_(std::move(searchPath)) {}
    bool StartProgram(std::string_view path) override;
    std::string FindFallbackSystemInfoTool() override { return FindSystemInfoTool(searchPath_); }
    char PathSeparator() const override { return '/'; }

  private:
    std::string searchPath_;
};

class ScriptProcess : public ProcessPort {
  public:
    // The trace says "end" whatever the status: the tool's own exit status keeps its meaning.
    [[noreturn]] void EndProgram(ExitStatus status) override;
};

}  // namespace vornikat::script
