// Whether the program has a display to open its windows on.
#pragma once

#include <string>

namespace vornikat {

// Empty when there is a display (or Qt has been told which platform to use); otherwise the one
// line that tells the user why no window can come up.
std::string MissingDisplayMessage();

}  // namespace vornikat
