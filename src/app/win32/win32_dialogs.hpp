// SPDX-License-Identifier: MIT
// The system's own message boxes, under the program's title. Every box is modal to the whole
// program: both windows take no input while it is up.
#pragma once

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Dialogs : public DialogPort {
  public:
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
};

}  // namespace vornikat::win32
