// SPDX-License-Identifier: MIT
#include "file_source.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime_error.hpp"

namespace vornikat {
namespace {

class FileSource : public ByteSource {
  public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t got = std::fread(buffer, 1, size, file_);
        if (got < size && std::ferror(file_) != 0) {
            throw RuntimeError(err::kFileAccess);
        }
        return got;
    }

  private:
    std::FILE* file_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
    // "rb" opens an existing file only; a missing one is reported, never created.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    return AdoptFileSource(file);
}

std::unique_ptr<ByteSource> AdoptFileSource(std::FILE* file) {
    return std::make_unique<FileSource>(file);
}

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    if (n > 0) {
        std::memcpy(buffer, bytes_.data() + pos_, n);
    }
    pos_ += n;
    return n;
}

}  // namespace vornikat
