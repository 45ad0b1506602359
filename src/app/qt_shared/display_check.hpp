// SPDX-License-Identifier: MIT
// Whether the program has a display to open its windows on, told in one line when it has not.
#pragma once

#include <functional>

#include "held_messages.hpp"

class QCommandLineParser;
class QCoreApplication;

namespace vornikat {

// Fills in a program's command line: its names, its description, its options.
using CommandLineDescription = std::function<void(QCoreApplication&, QCommandLineParser&)>;

// --help, --help-all and --version print their text and end the program before any window
// platform is opened, so that they work without a display; anything else returns.
void AnswerInformationRequests(int argc, char** argv, const CommandLineDescription& describe);

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
