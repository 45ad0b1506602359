// SPDX-License-Identifier: MIT
#include "storage_registry.hpp"

#include <cstdlib>
#include <string>

#include "cp1251.hpp"
#include "page_boundary.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kScoreKey = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
constexpr std::string_view kScoreValue = "LastScore";

// The storage item holds the value as text, as a registry editor shows a text value: " 33",
// without the terminating NUL that the value carries and that reading gives back.
std::vector<std::uint8_t> ToBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t c : text) {
        bytes.push_back(EncodeCp1251(c).value_or('?'));
    }
    return bytes;
}

}  // namespace

StorageRegistry::StorageRegistry() {
    int refused = 0;
    char* stored = ReadStoredScore(&refused);
    if (refused != 0) {
        SayRefusedOnce();
    }
    if (stored == nullptr) {
        return;
    }
    std::vector<std::uint8_t> bytes = ToBytes(FromUtf8(stored));
    bytes.push_back(0);
    PutValue(kScoreKey, kScoreValue, Value{reg::kSz, bytes});
    std::free(stored);
}

long StorageRegistry::WriteValue(RegRoot root, std::string_view path, std::string_view name,
                                 const RegValue& value) {
    const long result = MemoryRegistry::WriteValue(root, path, name, value);
    const Value* score = FindValue(kScoreKey, kScoreValue);
    if (result == reg::kSuccess && score != nullptr) {
        std::string bytes(score->data.begin(), score->data.end());
        if (!bytes.empty() && bytes.back() == '\0') {
            bytes.pop_back();
        }
        if (WriteStoredScore(ToUtf8(DecodeCp1251(bytes)).c_str()) == 0) {
            SayRefusedOnce();
        }
    }
    return result;
}

void StorageRegistry::SayRefusedOnce() {
    if (!refusalSaid_) {
        SayStorageRefused();
        refusalSaid_ = true;
    }
}

}  // namespace vornikat
