// SPDX-License-Identifier: MIT
// The end of the program: at once, with no further message and no window torn down.
#pragma once

#include <windows.h>

#include "ports.hpp"

namespace vornikat::win32 {

class Win32Process : public ProcessPort {
  public:
    [[noreturn]] void EndProgram(ExitStatus status) override {
        ExitProcess(static_cast<UINT>(status));
    }
};

}  // namespace vornikat::win32
