// SPDX-License-Identifier: MIT
#include "regular_file.hpp"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

namespace vornikat {

WholeFile ReadRegularFile(const std::string& path, const ReadProgress& progress) {
    WholeFile whole;
    struct _stat64 status {};
    if (_stat64(path.c_str(), &status) != 0) {
        whole.error = errno;
        whole.problem = errno == ENOENT   ? OpenProblem::Missing
                        : errno == EACCES ? OpenProblem::NotPermitted
                                          : OpenProblem::Unreadable;
        return whole;
    }
    if ((status.st_mode & _S_IFMT) == _S_IFDIR) {
        whole.problem = OpenProblem::Folder;
        return whole;
    }
    // CON, NUL, COM1 and their like answer as character devices.
    if ((status.st_mode & _S_IFMT) != _S_IFREG) {
        whole.problem = OpenProblem::Device;
        return whole;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        whole.error = errno;
        whole.problem = errno == EACCES ? OpenProblem::NotPermitted : OpenProblem::Unreadable;
        return whole;
    }
    const auto total = static_cast<std::uint64_t>(status.st_size);
    whole.bytes.reserve(static_cast<std::size_t>(total));
    std::string chunk(std::size_t{1} << 20, '\0');
    for (;;) {
        if (progress && !progress(whole.bytes.size(), total)) {
            whole.cancelled = true;
            whole.bytes.clear();
            break;
        }
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), file);
        whole.bytes.append(chunk.data(), n);
        if (n < chunk.size()) {
            if (std::ferror(file) != 0) {
                whole.problem = OpenProblem::Unreadable;
                whole.error = EIO;
                whole.bytes.clear();
            }
            break;
        }
    }
    std::fclose(file);
    return whole;
}

}  // namespace vornikat
