// SPDX-License-Identifier: MIT
// A ByteSource over a file, through the standard library alone.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "ports.hpp"

namespace vornikat {

// nullptr when the file is missing or cannot be opened; never creates it.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

// A ByteSource over a stream opened elsewhere; it closes the stream.
std::unique_ptr<ByteSource> AdoptFileSource(std::FILE* file);

// A ByteSource over bytes held in memory.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace vornikat
