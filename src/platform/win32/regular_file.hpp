// SPDX-License-Identifier: MIT
// The one way the bank tool opens a file a user names, on Windows: only a regular file; a
// folder or a device name such as CON is refused at once rather than read for ever.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vornikat {

// The same reasons as the Linux build's opener, so the tool words them alike.
enum class OpenProblem {
    None,
    Missing,
    DanglingLink,
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

// The whole content of a regular file, or why there is none. The name is taken as the C library
// takes it, in the program's code page (UTF-8 where its manifest asks for it).
WholeFile ReadRegularFile(const std::string& path, const ReadProgress& progress = {});

}  // namespace vornikat
