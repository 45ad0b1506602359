// SPDX-License-Identifier: MIT
// Drives Vornikat.exe as a user would, from another process under the same Wine: finds its
// windows, reads their texts, clicks their buttons and answers its message boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vornikat::win32test {

// A path of the host as Wine sees it: its drive Z: is the host's root.
std::filesystem::path HostPath(std::string_view path);

// Polls the condition every 20 ms; false when it still fails after the timeout.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// A fresh folder of its own under the temporary folder.
std::filesystem::path FreshFolder();

// How a test starts the program: the data.bin beside it (none with noBank), what follows the
// program's name on its command line, the folder it starts in (empty: the temporary folder), a
// file for its standard error (empty: none given), and the program (empty: the build's, copied
// alone into a fresh folder with that data.bin; else this one, started where it is, with the
// bank beside it).
struct Launch {
    std::vector<std::uint8_t> bank{};
    std::wstring arguments{};
    std::filesystem::path startIn{};
    std::filesystem::path errorsTo{};
    bool noBank = false;
    std::filesystem::path installed{};
};

// The program, copied alone into a fresh folder with the given data.bin and started there.
class RunningProgram {
  public:
    explicit RunningProgram(const Launch& launch);
    // A step of the set-up that fails throws std::runtime_error with the system's error code.
    explicit RunningProgram(const std::vector<std::uint8_t>& bank);
    // The same with the shipped bank of the build.
    RunningProgram();
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Id() const { return process_.dwProcessId; }
    bool WaitForExit(int timeoutMs = 10000) const;
    // The program's exit status, once it has ended.
    std::optional<DWORD> ExitCode() const;

    // A visible top-level window of the program with this class (empty: any) and title.
    HWND FindWindowOf(std::wstring_view className, std::wstring_view title) const;
    HWND WaitForWindow(std::wstring_view className, std::wstring_view title) const;
    // Main, once it is up: the window of the program's title with the Nxt button.
    HWND WaitForMain() const;
    // The program's message box, once it is up.
    HWND WaitForMessageBox() const;
    // Every visible top-level window of the program.
    std::vector<HWND> Windows() const;

  private:
    // The build's program and, unless there is to be none, this bank into the fresh folder.
    void CopyProgram(const Launch& launch);
    void Start(const std::filesystem::path& exe, const Launch& launch);

    std::filesystem::path folder_;
    PROCESS_INFORMATION process_{};
};

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// What a message box says: its static text, id 65535.
std::wstring MessageText(HWND box);
// Presses a button without waiting for what it starts (a box it opens runs its own loop).
void Click(HWND button);
// Presses a message box's button by its id (IDOK, IDYES, IDNO) and waits for the box to go.
bool Answer(HWND box, int buttonId);

HWND ChildWithText(HWND window, std::wstring_view text);
// The control of the class inside the frame (group box) with this caption.
HWND ChildInFrame(HWND window, std::wstring_view frameCaption, std::wstring_view className);
// The radio buttons of the window, top to bottom.
std::vector<HWND> OptionButtons(HWND window);
SIZE ClientSize(HWND window);
// How many tools the tool tip windows owned by this window have.
int ToolTipCount(HWND window);

// The score key under one root, and its LastScore as stored.
void DeleteScoreKeys();
std::optional<std::vector<std::uint8_t>> ReadLastScore(HKEY root);

}  // namespace vornikat::win32test
