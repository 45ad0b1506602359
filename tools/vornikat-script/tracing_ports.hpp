// SPDX-License-Identifier: MIT
// Ports that write every effect the program has on its windows as one trace line, and take
// the user's answers to message boxes from elsewhere. vornikat-script prints the lines and
// reads the answers from its script; the tests gather the lines and queue the answers. Both
// share this one implementation, so the trace a test expects is the trace the tool prints.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ports.hpp"

namespace vornikat {

// Thrown by EndProgram, so that whoever drives the program sees it end.
struct ProgramEnded {
    ExitStatus status;
};

// A text as a JSON string literal, quotes included.
std::string QuoteJson(std::u16string_view text);

class TracingPorts : public MainWindowPort,
                     public DialogPort,
                     public ResourcePort,
                     public SoundPort,
                     public LauncherPort,
                     public ProcessPort {
  public:
    // MainWindowPort
    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;
    // DialogPort
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
    // ResourcePort, SoundPort: the player names the sound it was handed.
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
    void PlayWave(std::span<const std::uint8_t> image) override;
    // LauncherPort: nothing is started; the trace names the program, and it counts as
    // started when it could have been.
    bool StartProgram(std::string_view path) override;
    // ProcessPort: the trace says "end" whatever the status; the status is kept for the caller.
    [[noreturn]] void EndProgram(ExitStatus status) override;

    // The user selects option n (1..5), or sets the whole group as it stands.
    void Select(int n);
    void SetOptionValues(const std::array<std::int16_t, 5>& values) { values_ = values; }
    const std::array<std::int16_t, 5>& OptionValues() const { return values_; }
    std::int32_t TimerInterval() const { return interval_; }
    std::optional<ExitStatus> EndedWith() const { return endedWith_; }

    // One line of the trace, written where this trace goes.
    virtual void WriteLine(std::string_view line) = 0;

  protected:
    // The user's answer to a message box with these flags.
    virtual int AnswerBox(int flags) = 0;
    // The bytes of sound resource id, if there is one.
    virtual std::optional<std::span<const std::uint8_t>> FindSound(int id) = 0;
    virtual bool CanStart(std::string_view path) = 0;

  private:
    std::array<std::int16_t, 5> values_ = {kTrue, kFalse, kFalse, kFalse, kFalse};
    std::int32_t interval_ = 0;
    std::map<const std::uint8_t*, int> served_;
    std::optional<ExitStatus> endedWith_;
};

}  // namespace vornikat
