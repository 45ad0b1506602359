// SPDX-License-Identifier: MIT
#include "qt_process.hpp"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace vornikat {

void QtProcess::EndProgram(ExitStatus status) {
    // The teardown may destroy the objects whose handler called us, this one's owner among them.
    const std::function<void()> teardown = std::move(teardown_);
    if (teardown) {
        teardown();
    }
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // quick_exit skips the leak check that a normal exit runs.
    __lsan_do_leak_check();
#endif
    std::quick_exit(static_cast<int>(status));
}

}  // namespace vornikat
