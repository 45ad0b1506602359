// SPDX-License-Identifier: MIT
// What a file that lies costs the readers: a header promising 32,767 questions in a file of two
// bytes must be refused without making room for them. The program's own operator new records
// the largest single request while a read runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "bank_reader.hpp"
#include "file_source.hpp"

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};

}  // namespace

void* operator new(std::size_t size) {
    if (watching) {
        largest = std::max(largest.load(), size);
    }
    if (void* memory = std::malloc(std::max<std::size_t>(size, 1))) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace vornikat {
namespace {

template <typename Read>
std::size_t LargestRequestWhile(Read read) {
    const std::vector<std::uint8_t> lying = {0xFE, 0x7F};  // the last index: 32766
    MemorySource source(lying);
    largest = 0;
    watching = true;
    EXPECT_THROW(read(source), BankReadError);
    watching = false;
    return largest;
}

TEST(ReaderMemory, AHeaderThatLiesInASmallFileCostsNothing) {
    // The read buffer of 64 KiB is the most a read of two bytes may ask for.
    constexpr std::size_t kSmall = 64 * 1024;
    EXPECT_LE(LargestRequestWhile([](ByteSource& s) { ReadQuestionBank(s); }), kSmall);
    EXPECT_LE(LargestRequestWhile([](ByteSource& s) { ReadQuestionRecords(s); }), kSmall);
}

}  // namespace
}  // namespace vornikat
