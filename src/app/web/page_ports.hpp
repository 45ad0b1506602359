// SPDX-License-Identifier: MIT
// The ports of the page: each a call into the page's script (page_boundary.hpp), which draws the
// windows and boxes, plays the sounds, fetches the bank and keeps the timer.
#pragma once

#include "ports.hpp"

namespace vornikat {

// The end of the program in a page: the script shows the closed state; Body's call unwinds to
// the entry point that started it, which catches this.
struct ProgramEnd {
    ExitStatus status;
};

class PageWindow : public MainWindowPort {
  public:
    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;
};

class PageDialogs : public DialogPort {
  public:
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
};

class PageSound : public SoundPort {
  public:
    void PlayWave(std::span<const std::uint8_t> image) override;
};

// The bank is the page's: data.bin beside it, the one named by ?bank=, or a dropped file.
class PageFiles : public FileSystemPort {
  public:
    void MakeProgramDirectoryCurrent() override {}
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    bool FileExists(std::string_view) override { return false; }
    void ReportUnreadableFile(std::string_view name) override;
};

// A browser starts no program: the About box finds no tool and says so.
class PageLauncher : public LauncherPort {
  public:
    bool StartProgram(std::string_view) override { return false; }
    std::string FindFallbackSystemInfoTool() override { return {}; }
    char PathSeparator() const override { return '\\'; }
};

class PageProcess : public ProcessPort {
  public:
    [[noreturn]] void EndProgram(ExitStatus status) override;
};

}  // namespace vornikat
