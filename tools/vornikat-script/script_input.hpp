// SPDX-License-Identifier: MIT
// The user's events, read line by line from standard input.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace vornikat::script {

// A script that asks for something the program cannot do; the tool exits with status 2.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Input ended while the program still runs; the tool prints eof and exits with status 0.
struct InputEnded {};

// The next event line, blank lines and comments skipped; nullopt at the end of input.
std::optional<std::string> ReadEvent();

}  // namespace vornikat::script
