// SPDX-License-Identifier: MIT
// The terminal the tool speaks to, for the length of a run. On Windows: the console shows
// UTF-8, so that Cyrillic names and messages print right, and gets its own code page back at
// the end; a console made for this run alone (a file dropped on the program, a double click)
// waits for a key before it closes with the program. Elsewhere nothing needs doing.
#pragma once

#include <string>
#include <vector>

namespace vornikat::banktool {

class ConsoleSession {
  public:
    ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;
    ~ConsoleSession();

  private:
    unsigned int outputCodePage_ = 0;
};

// The command line as UTF-8: on Windows read in UTF-16 from the system, whatever the ANSI code
// page; elsewhere the bytes as they are.
std::vector<std::string> ReadArguments(int argc, char** argv);

}  // namespace vornikat::banktool
