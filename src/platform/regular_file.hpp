// SPDX-License-Identifier: MIT
// The one way the programs open a file a user names, on every system: never waiting, and only
// a regular file. A folder, a pipe, a socket, a device (NUL, CON) or a dangling link is told
// apart and refused at once, since reading one would fail, hang or never end; the reason is
// handed back alike by both builds (posix/regular_file.cpp, win32/regular_file.cpp), so that
// every program words it alike.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ports.hpp"

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

// The whole content of a regular file, or why there is none; `error` is an errno value where
// the reason has one. On Windows the path may be of any length, as the quiz opens its bank.
WholeFile ReadRegularFile(const std::filesystem::path& path, const ReadProgress& progress = {});

struct FileStream {
    std::unique_ptr<ByteSource> source;  // none when the file was refused
    OpenProblem problem = OpenProblem::None;
    int error = 0;
    std::uint64_t size = 0;
};

// The same file opened by the same rule, to be read piece by piece as a reader asks for it: a
// reader that stops where its bank ends leaves the rest unread, however big the file.
FileStream OpenRegularFileStream(const std::filesystem::path& path);

}  // namespace vornikat
