// SPDX-License-Identifier: MIT
// A file a user names, read whole or refused with its reason: what the openers of both builds
// (posix/regular_file, win32/regular_file) hand back, so that every program words it alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vornikat {

enum class OpenProblem {
    None,
    Missing,
    DanglingLink,  // a symbolic link to nothing, or a loop of links
    NotPermitted,
    Folder,
    Fifo,
    Socket,
    Device,
    Unreadable,  // any other failure: `error` says which
};

// Called as bytes come in, with those read so far and the file's size; false stops the reading.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct WholeFile {
    std::string bytes;
    OpenProblem problem = OpenProblem::None;
    int error = 0;
    bool cancelled = false;
};

}  // namespace vornikat
