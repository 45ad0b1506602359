// SPDX-License-Identifier: MIT
// A regular file a user names, opened by the rule of regular_file.hpp and kept open: for a
// reader that streams it (the quiz's bank, the editor's data.bin) rather than reading it whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "regular_file.hpp"

namespace vornikat {

// An open regular file, closed with this object.
class RegularFile {
  public:
    static RegularFile Open(const std::filesystem::path& path);
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&&) = delete;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    OpenProblem Problem() const { return problem_; }
    int Error() const { return error_; }
    std::uint64_t Size() const { return size_; }
    // Reads up to size bytes, fewer only at the end; throws std::system_error.
    std::size_t Read(std::uint8_t* buffer, std::size_t size);
    // Back to the first byte, to read the file again; throws std::system_error.
    void Rewind();
    // Hands the descriptor over, blocking reads again; -1 when the open failed.
    int Release();

  private:
    RegularFile() = default;

    int fd_ = -1;
    std::uint64_t size_ = 0;
    OpenProblem problem_ = OpenProblem::None;
    int error_ = 0;
};

// The rest of a file opened already.
WholeFile ReadRestOfFile(RegularFile& file, const ReadProgress& progress = {});

}  // namespace vornikat
