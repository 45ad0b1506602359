// SPDX-License-Identifier: MIT
// The program's modal message boxes, with the platform's numbers for icons, buttons and answers.
#pragma once

#include "ports.hpp"

namespace vornikat {

class QtDialogs final : public DialogPort {
  public:
    int ShowMessage(std::u16string_view text, int flags) override;
    void ShowRuntimeError(const RuntimeError& error) override;
};

}  // namespace vornikat
