// Test doubles for every port: effects go into one trace, in the vornikat-script format,
// and message boxes take their answers from a queue.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "body.hpp"
#include "memory_registry.hpp"
#include "ports.hpp"

namespace vornikat::testing {

// Thrown by the fake EndProgram so a test can see the program end.
struct ProgramEnded {};

class FakePorts : public MainWindowPort,
                  public DialogPort,
                  public ResourcePort,
                  public SoundPort,
                  public FileSystemPort,
                  public LauncherPort,
                  public ProcessPort {
  public:
    FakePorts();

    // MainWindowPort
    void SetCaption(ControlId control, std::u16string_view text) override;
    std::int16_t GetValue(ControlId option) override;
    void SetValue(ControlId option, std::int16_t value) override;
    void SetFocus(ControlId control) override;
    void SetTimerInterval(std::int32_t milliseconds) override;
    // DialogPort
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
    // ResourcePort, SoundPort
    std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                              int id) override;
    void PlayWave(std::span<const std::uint8_t> image) override;
    // FileSystemPort
    void MakeProgramDirectoryCurrent() override;
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    bool FileExists(std::string_view path) override;
    void ReportUnreadableFile(std::string_view name) override {
        unreadableFiles.emplace_back(name);
    }
    // LauncherPort
    bool StartProgram(std::string_view path) override;
    std::string FindFallbackSystemInfoTool() override { return fallbackTool; }
    char PathSeparator() const override { return '\\'; }
    // ProcessPort
    [[noreturn]] void EndProgram(ExitStatus status) override;

    Ports AllPorts();

    // The user selects option n (1..5).
    void Select(int n);
    // Takes the trace gathered so far and starts a new one.
    std::vector<std::string> TakeTrace();

    std::vector<std::string> trace;
    std::deque<int> answers;  // answers for the boxes to come; a box with none left fails
    std::function<void()> whileBoxOpen;  // runs inside every box, as a nested event loop would
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> existingPaths;
    std::vector<std::string> unreadableFiles;  // the names reported as unreadable
    std::vector<std::string> startablePrograms;
    std::string fallbackTool;
    std::array<std::int16_t, 5> values = {kTrue, kFalse, kFalse, kFalse, kFalse};
    std::int32_t timerInterval = 0;
    bool soundsPresent = true;
    std::optional<ExitStatus> exitStatus;  // how the program ended, once it has
    MemoryRegistry registry;

  private:
    std::array<std::uint8_t, 4> sound101_{};
    std::array<std::uint8_t, 4> sound102_{};
};

// A bank of n questions "Вопрос i" with options "Ответ i.k", all with the same right option.
std::vector<std::uint8_t> MakeBankBytes(int questions, std::int16_t rightOption = 1);

}  // namespace vornikat::testing
