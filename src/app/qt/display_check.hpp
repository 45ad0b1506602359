// Whether the program has a display to open its windows on, told in one line when it has not.
#pragma once

#include <string>

namespace vornikat {

// Empty when there is a display (or Qt has been told which platform to use); otherwise the one
// line that tells the user why no window can come up.
std::string MissingDisplayMessage();

// While it lives, Qt's own messages are held back; a display that Qt cannot open ends the
// program with one line instead of Qt's abort. When it goes, the held messages are passed on.
class DisplayOpening {
  public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;
};

}  // namespace vornikat
