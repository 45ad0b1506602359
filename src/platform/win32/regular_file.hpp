// SPDX-License-Identifier: MIT
// The one way the bank tool opens a file a user names, on Windows: only a regular file, by a
// path of any length, as the quiz opens its bank; a folder, a pipe, a socket or a device name
// such as NUL or CON is refused at once and named as what it is, never read for ever.
#pragma once

#include <string>

#include "whole_file.hpp"

namespace vornikat {

// The whole content of a regular file, or why there is none. The name is taken as the C library
// takes it, in the program's code page (UTF-8 where its manifest asks for it); `error` is an
// errno value where the reason has one.
WholeFile ReadRegularFile(const std::string& path, const ReadProgress& progress = {});

}  // namespace vornikat
