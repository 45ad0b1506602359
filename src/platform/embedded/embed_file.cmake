# SPDX-License-Identifier: MIT
# Writes a C++ source whose function returns the bytes of one file, so the file is carried
# inside the executable without any toolkit's resource system.
# cmake -DINPUT=<file> -DOUTPUT=<source> -DFUNCTION=<name> -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# CMake's regular expressions have no counted repeat: spell out sixteen bytes a line.
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new" "// Generated from ${name} at build time.
#include <cstdint>
#include <span>

namespace vornikat::embedded {
namespace {

constexpr std::uint8_t kBytes[] = {
    ${bytes}
};

}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() {
    return kBytes;
}

}  // namespace vornikat::embedded
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
