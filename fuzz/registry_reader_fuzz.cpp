// SPDX-License-Identifier: MIT
// Any bytes read as a registry file: a file read and written back reads the same, a written
// file is read back as written, and a value set in it is found there with nothing else changed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "registry_document.hpp"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornikat;
    const auto document = RegistryDocument::Parse(std::span(data, size));
    if (document.Foreign()) {
        Check(document.Contents() == RegistryDocument::Snapshot{});
        return 0;
    }
    const std::string written = document.Serialize();
    const auto bytes = reinterpret_cast<const std::uint8_t*>(written.data());
    auto reread = RegistryDocument::Parse(std::span(bytes, written.size()));
    Check(!reread.Foreign());
    Check(reread.Contents() == document.Contents());
    Check(reread.Serialize() == written);

    // A value made from the input itself, so its type and bytes vary with it.
    const std::string path = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
    const NamedValue value{
        "LastScore",
        RegistryValue{static_cast<std::uint32_t>(size % 6),
                      std::vector<std::uint8_t>(data, data + std::min<std::size_t>(size, 120))}};
    auto expected = reread.Contents();
    expected.values[{"hkey_local_machine\\software\\vornikat", "lastscore"}] = value.value;
    reread.SetValue(path, value);
    const std::string changed = reread.Serialize();
    const auto again = RegistryDocument::Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(changed.data()), changed.size()));
    Check(!again.Foreign());
    Check(again.HasKey(path));
    Check(again.Contents().values == expected.values);
    return 0;
}
