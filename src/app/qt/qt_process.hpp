// SPDX-License-Identifier: MIT
// How the desktop program ends: at once, from inside whatever handler is running.
#pragma once

#include <functional>

#include "ports.hpp"

namespace vornikat {

class QtProcess final : public ProcessPort {
  public:
    // What the program destroys of its own before it ends: its windows and its sound output.
    void SetTeardown(std::function<void()> teardown) { teardown_ = std::move(teardown); }

    // Tears down, then ends without unwinding and without destroying static objects: no
    // further event is handled and no window gets a close or unload event.
    [[noreturn]] void EndProgram(ExitStatus status) override;

  private:
    std::function<void()> teardown_;
};

}  // namespace vornikat
