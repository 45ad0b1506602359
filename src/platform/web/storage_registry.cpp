// SPDX-License-Identifier: MIT
#include "storage_registry.hpp"

#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kScoreKey = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
constexpr std::string_view kScoreValue = "LastScore";

// The storage item holds the value as text, as a registry editor shows a text value: " 33",
// without the terminating NUL that the value carries and that reading gives back.
// clang-format off
// Null when there is no stored score, or when the storage is refused (refused set to 1).
EM_JS(char*, ReadStoredItem, (int* refused), {
    try {
        const text = window.localStorage.getItem("Vornikat.LastScore");
        if (text == null) {
            return 0;
        }
        const size = lengthBytesUTF8(text) + 1;
        const block = _malloc(size);
        stringToUTF8(text, block, size);
        return block;
    } catch (e) {
        HEAP32[refused >> 2] = 1;
        return 0;
    }
});

EM_JS(bool, WriteStoredItem, (const char* text), {
    try {
        window.localStorage.setItem("Vornikat.LastScore", UTF8ToString(text));
        return true;
    } catch (e) {
        return false;
    }
});

EM_JS(void, SayStorageRefused, (), {
    console.info("Vornikat: the browser refuses its storage or it is full; the score is kept for this visit only.");
});
// clang-format on

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
    char* stored = ReadStoredItem(&refused);
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
        if (!WriteStoredItem(ToUtf8(DecodeCp1251(bytes)).c_str())) {
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
