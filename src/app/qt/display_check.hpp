// SPDX-License-Identifier: MIT
// Whether the program has a display to open its windows on, told in one line when it has not.
#pragma once

#include "held_messages.hpp"

namespace vornikat {

// While it lives, Qt's own messages are held back; a window platform that Qt cannot start ends
// the program with a line that says why, instead of Qt's abort. When it goes, the held
// messages are passed on.
class DisplayOpening {
  public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;

  private:
    HeldQtMessages messages_;
};

}  // namespace vornikat
