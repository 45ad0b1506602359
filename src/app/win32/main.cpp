// SPDX-License-Identifier: MIT
// Vornikat for Windows: one executable with its own resources, over the same core as every
// other front-end.
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "body.hpp"
#include "help_window.hpp"
#include "main_window.hpp"
#include "win32_dialogs.hpp"
#include "win32_file_system.hpp"
#include "win32_launcher.hpp"
#include "win32_process.hpp"
#include "win32_registry.hpp"
#include "win32_resources.hpp"
#include "win32_sound.hpp"

namespace {

using namespace vornikat;
using namespace vornikat::win32;

// Keyboard input of the program's windows goes through the dialog manager: Tab, the arrows
// within the options, access keys, and Enter and Esc for the About box's button.
void RunMessageLoop(const MainWindow& main, const HelpWindow& help) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root != nullptr && (root == main.Handle() || root == help.Handle()) &&
            IsDialogMessageW(root, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The bank named on the command line (a file dropped on the executable arrives so), as a full
// path from the folder the program was started in; empty when none was named.
std::wstring BankFromCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring bank;
    if (arguments != nullptr && count >= 2) {
        bank = arguments[1];
        const DWORD size = GetFullPathNameW(arguments[1], 0, nullptr, nullptr);
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(arguments[1], size, full.data(), nullptr);
        if (length > 0 && length < size) {
            full.resize(length);
            bank = full;
        }
    }
    LocalFree(arguments);
    return bank;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Laid out in real pixels by the display's own DPI, rather than scaled up as a bitmap.
    SetProcessDPIAware();
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);

    static Win32Dialogs dialogs;
    static Win32Resources resources;
    static Win32Sound sound;
    static Win32FileSystem files(BankFromCommandLine());
    static Win32Registry registry;
    static Win32Launcher launcher;
    static Win32Process process;
    static HelpWindow help(instance);
    static MainWindow main(instance, help);
    static Body body(Ports{main, dialogs, resources, sound, files, registry, launcher, process});
    help.Attach(body);

    if (!main.Create(body)) {
        ExitProcess(1);
    }
    // The start-up runs before the window is first shown; its boxes come up alone.
    body.OnLoad();
    main.Show();
    RunMessageLoop(main, help);
    ExitProcess(0);
}
