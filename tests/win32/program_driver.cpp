// SPDX-License-Identifier: MIT
#include "program_driver.hpp"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace vornikat::win32test {
namespace {

constexpr wchar_t kProgramTitle[] = L"Ворникат";
constexpr wchar_t kNxtCaption[] = L"Дальше";

// A step of setting up a run failed: nothing the test would see after it could be trusted.
[[noreturn]] void FailSetUp(const std::string& step) {
    throw std::runtime_error(step + " failed, error " + std::to_string(GetLastError()));
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        FailSetUp("opening " + path.string());
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

std::filesystem::path FreshFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    const auto folder =
        std::filesystem::path(base) /
        (L"vornikat-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directories(folder);
    return folder;
}

std::filesystem::path HostPath(std::string_view path) {
    std::wstring windows;
    for (const char c : path) {
        windows += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return std::filesystem::path(!windows.empty() && windows.front() == L'\\' ? L"Z:" + windows
                                                                              : windows);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

RunningProgram::RunningProgram(const std::vector<std::uint8_t>& bank)
    : RunningProgram(Launch{.bank = bank}) {}

RunningProgram::RunningProgram(const Launch& launch) {
    if (launch.installed.empty()) {
        folder_ = FreshFolder();
        CopyProgram(launch);
    }
    Start(launch.installed.empty() ? folder_ / L"Vornikat.exe" : launch.installed, launch);
}

void RunningProgram::Start(const std::filesystem::path& exe, const Launch& launch) {
    // Started from elsewhere: the program finds data.bin beside itself.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE errors = nullptr;
    if (!launch.errorsTo.empty()) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        errors = CreateFileW(launch.errorsTo.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (errors == INVALID_HANDLE_VALUE) {
            FailSetUp("creating the standard error's file");
        }
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errors;
    }
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    if (!launch.arguments.empty()) {
        commandLine += L" " + launch.arguments;
    }
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring elsewhere = launch.startIn.empty() ? temporary : launch.startIn.wstring();
    const BOOL started =
        CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, errors != nullptr, 0,
                       nullptr, elsewhere.c_str(), &startup, &process_);
    const DWORD startError = GetLastError();
    if (errors != nullptr) {
        CloseHandle(errors);
    }
    if (!started) {
        SetLastError(startError);
        FailSetUp("starting Vornikat.exe");
    }
}

void RunningProgram::CopyProgram(const Launch& launch) {
    std::filesystem::copy_file(HostPath(VORNIKAT_EXE_PATH), folder_ / L"Vornikat.exe");
    if (launch.noBank) {
        return;
    }
    const std::vector<std::uint8_t>& bank = launch.bank;
    HANDLE file = CreateFileW((folder_ / L"data.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        FailSetUp("creating data.bin");
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bank.data(), static_cast<DWORD>(bank.size()), &written, nullptr);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    if (!wrote || written != bank.size()) {
        SetLastError(writeError);
        FailSetUp("writing data.bin");
    }
}

RunningProgram::RunningProgram() : RunningProgram(ReadWholeFile(HostPath(VORNIKAT_BANK_PATH))) {}

RunningProgram::~RunningProgram() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::optional<DWORD> RunningProgram::ExitCode() const {
    DWORD code = 0;
    if (process_.hProcess == nullptr || !GetExitCodeProcess(process_.hProcess, &code) ||
        code == STILL_ACTIVE) {
        return std::nullopt;
    }
    return code;
}

bool RunningProgram::WaitForExit(int timeoutMs) const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

std::vector<HWND> RunningProgram::Windows() const {
    Search search{Id(), {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::FindWindowOf(std::wstring_view className, std::wstring_view title) const {
    for (HWND window : Windows()) {
        if ((className.empty() || ClassOf(window) == className) && TextOf(window) == title) {
            return window;
        }
    }
    return nullptr;
}

HWND RunningProgram::WaitForWindow(std::wstring_view className, std::wstring_view title) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOf(className, title)) != nullptr; });
    return found;
}

HWND RunningProgram::WaitForMain() const {
    HWND main = nullptr;
    WaitUntil([&] {
        for (HWND window : Windows()) {
            if (TextOf(window) == kProgramTitle && ChildWithText(window, kNxtCaption) != nullptr) {
                main = window;
                return true;
            }
        }
        return false;
    });
    return main;
}

HWND RunningProgram::WaitForMessageBox() const {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : Windows()) {
            if (ClassOf(window) == L"#32770") {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::wstring TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring MessageText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool Answer(HWND box, int buttonId) {
    const HWND button = GetDlgItem(box, buttonId);
    if (button == nullptr) {
        return false;
    }
    Click(button);
    return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

HWND ChildWithText(HWND window, std::wstring_view text) {
    for (HWND child : Children(window)) {
        if (TextOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

HWND ChildInFrame(HWND window, std::wstring_view frameCaption, std::wstring_view className) {
    const HWND frame = ChildWithText(window, frameCaption);
    if (frame == nullptr) {
        return nullptr;
    }
    const RECT outer = ScreenRect(frame);
    for (HWND child : Children(window)) {
        const RECT inner = ScreenRect(child);
        if (child != frame && ClassOf(child) == className && inner.left >= outer.left &&
            inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom) {
            return child;
        }
    }
    return nullptr;
}

std::vector<HWND> OptionButtons(HWND window) {
    std::vector<HWND> options;
    for (HWND child : Children(window)) {
        const auto type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (ClassOf(child) == L"Button" && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)) {
            options.push_back(child);
        }
    }
    std::sort(options.begin(), options.end(),
              [](HWND a, HWND b) { return ScreenRect(a).top < ScreenRect(b).top; });
    return options;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int ToolTipCount(HWND window) {
    struct Count {
        HWND owner;
        int tools;
    } count{window, 0};
    EnumWindows(
        [](HWND candidate, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Count*>(data);
            if (GetWindow(candidate, GW_OWNER) == c->owner &&
                ClassOf(candidate) == L"tooltips_class32") {
                c->tools += static_cast<int>(SendMessageW(candidate, TTM_GETTOOLCOUNT, 0, 0));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.tools;
}

void DeleteScoreKeys() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Vornikat");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vornikat");
}

std::optional<std::vector<std::uint8_t>> ReadLastScore(HKEY root) {
    // Through the single-byte function, as the program wrote it.
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, "Software\\Vornikat", 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(512);
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, "LastScore", nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    data.resize(size);
    return data;
}

}  // namespace vornikat::win32test
