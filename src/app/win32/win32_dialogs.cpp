// SPDX-License-Identifier: MIT
#include "win32_dialogs.hpp"

#include <windows.h>

#include "layout.hpp"
#include "runtime_error.hpp"
#include "wide_text.hpp"

namespace vornikat::win32 {
namespace {

// The boxes carry the title of the main window.
std::wstring ProgramTitle() {
    return ToWide(MainDesign().caption);
}

}  // namespace

int Win32Dialogs::ShowMessage(std::u16string_view text, int flags) {
    // No owner and task-modal: the box disables every window of the program, including an
    // open About box, and shows before the main window exists.
    return MessageBoxW(nullptr, ToWide(text).c_str(), ProgramTitle().c_str(),
                       static_cast<UINT>(flags) | MB_TASKMODAL);
}

void Win32Dialogs::ShowRuntimeError(const RuntimeError& error) {
    MessageBoxW(nullptr, ToWide(error.BoxText()).c_str(), ProgramTitle().c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace vornikat::win32
