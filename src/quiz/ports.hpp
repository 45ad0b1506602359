// SPDX-License-Identifier: MIT
// The ports: everything the quiz core needs from the outside world.
// Each front-end (Qt, Win32, the scripted tool, the tests) implements them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornikat {

// The controls of Main that the quiz logic touches at run time.
enum class ControlId : std::uint8_t { LblQ, LblC, LblT, Ans1, Ans2, Ans3, Ans4, Ans5 };

// Option buttons report and take -1 for selected and 0 for cleared.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

class MainWindowPort {
  public:
    virtual ~MainWindowPort() = default;
    virtual void SetCaption(ControlId control, std::u16string_view text) = 0;
    virtual std::int16_t GetValue(ControlId option) = 0;
    virtual void SetValue(ControlId option, std::int16_t value) = 0;
    virtual void SetFocus(ControlId control) = 0;
    // 0 stops the timer; anything else is the tick period in milliseconds.
    virtual void SetTimerInterval(std::int32_t milliseconds) = 0;
};

// Message box flags and answers use the platform's numbers.
namespace msgbox {
inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kInformation = 64;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace msgbox

class RuntimeError;

class DialogPort {
  public:
    virtual ~DialogPort() = default;
    // Modal box under the program's title; lines are joined by a lone carriage return.
    virtual int ShowMessage(std::u16string_view text, int flags) = 0;
    // The default handling of a run-time error: tell the user which error it was.
    virtual void ShowRuntimeError(const RuntimeError& error) = 0;
};

class ResourcePort {
  public:
    virtual ~ResourcePort() = default;
    // The bytes of a resource of the running program, valid for the program's life;
    // nullopt when there is no such resource.
    virtual std::optional<std::span<const std::uint8_t>> LoadResource(std::string_view type,
                                                                      int id) = 0;
};

class SoundPort {
  public:
    virtual ~SoundPort() = default;
    // Starts playing a WAV image and returns at once; a new sound cuts off the one playing.
    // The image stays valid for the program's life. A sound that cannot play is skipped.
    virtual void PlayWave(std::span<const std::uint8_t> image) = 0;
};

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; returns how many were read, 0 at the end of the data.
    // Throws RuntimeError when the data cannot be read.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

class FileSystemPort {
  public:
    virtual ~FileSystemPort() = default;
    // Makes the directory of the program's executable the current one.
    virtual void MakeProgramDirectoryCurrent() = 0;
    // Opens an existing file for reading; nullptr when it is missing or cannot be opened.
    // Never creates the file.
    virtual std::unique_ptr<ByteSource> OpenForReading(std::string_view name) = 0;
    // True when a regular file exists at this path.
    virtual bool FileExists(std::string_view path) = 0;
    // Says outside the program's windows which file stood behind a name that could not be
    // read, where the front-end knows more than the name; may do nothing.
    virtual void ReportUnreadableFile(std::string_view name) = 0;
};

// The two roots of the registry that the program uses.
enum class RegRoot : std::uint8_t { CurrentUser, LocalMachine };

// Results and value types follow the platform's own numbering, so the Windows adapter passes
// them straight through.
namespace reg {
inline constexpr long kSuccess = 0;
inline constexpr long kNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kMoreData = 234;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
}  // namespace reg

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const RegValue&) const = default;
};

// A value read, whole, or the result that says why there is none.
struct RegRead {
    long result = reg::kNotFound;
    RegValue value;
};

// Key paths and value names are single-byte texts in the system code page (Windows-1251).
class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // Whether the key exists and opens as it does to be written to.
    virtual long ProbeKey(RegRoot root, std::string_view path) = 0;
    // The key is opened for reading only.
    virtual RegRead ReadValue(RegRoot root, std::string_view path, std::string_view name) = 0;
    // Creates the key where it is missing, with those above it, and sets the value.
    virtual long WriteValue(RegRoot root, std::string_view path, std::string_view name,
                            const RegValue& value) = 0;
};

class LauncherPort {
  public:
    virtual ~LauncherPort() = default;
    // Starts a program by its path (never through a shell), with a normal focused window,
    // without waiting. False when it cannot be started.
    virtual bool StartProgram(std::string_view path) = 0;
    // Where the system has no registry entries for its information tool: a path of one
    // to start instead, or empty.
    virtual std::string FindFallbackSystemInfoTool() = 0;
    virtual char PathSeparator() const = 0;
};

// What the program's end tells whoever started it: a failure only where it could not run.
enum class ExitStatus : std::uint8_t { Success = 0, Failure = 1 };

class ProcessPort {
  public:
    virtual ~ProcessPort() = default;
    // Ends the whole program at once. Test doubles throw instead of returning.
    [[noreturn]] virtual void EndProgram(ExitStatus status) = 0;
};

// Everything the core talks to, gathered for the one Body of a run.
struct Ports {
    MainWindowPort& window;
    DialogPort& dialogs;
    ResourcePort& resources;
    SoundPort& sound;
    FileSystemPort& files;
    RegistryPort& registry;
    LauncherPort& launcher;
    ProcessPort& process;
};

}  // namespace vornikat
