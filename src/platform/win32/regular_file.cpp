// SPDX-License-Identifier: MIT
#include "regular_file.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace vornikat {

WholeFile ReadRegularFile(const std::filesystem::path& path, const ReadProgress& progress) {
    WholeFile whole;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        whole.problem = OpenProblem::Missing;
        whole.error = ENOENT;
        return whole;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        whole.problem = OpenProblem::Folder;
        return whole;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        whole.problem = error ? OpenProblem::Unreadable : OpenProblem::Device;
        whole.error = error ? EACCES : 0;
        return whole;
    }
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        whole.problem = errno == EACCES ? OpenProblem::NotPermitted : OpenProblem::Unreadable;
        whole.error = errno;
        return whole;
    }
    const auto size = std::filesystem::file_size(path, error);
    const std::uint64_t total = error ? 0 : size;
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
