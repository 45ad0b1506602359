// SPDX-License-Identifier: MIT
// A save reaches the disk only once its folder is flushed after the rename. That flush changes
// nothing a reader can see, so it is watched at the system calls themselves: this executable
// defines fsync and rename, which every call of the store reaches first, and hands them on.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "file_registry.hpp"
#include "script_runner.hpp"

namespace {

std::mutex callsLock;
std::vector<std::string> calls;

void Record(std::string call) {
    const std::lock_guard lock(callsLock);
    calls.push_back(std::move(call));
}

std::vector<std::string> TakeCalls() {
    const std::lock_guard lock(callsLock);
    return std::exchange(calls, {});
}

// The definition the system would have used without this one.
template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<std::uintptr_t>(::dlsym(RTLD_NEXT, name)));
}

}  // namespace

extern "C" int fsync(int fd) {
    static const auto next = Next<int (*)(int)>("fsync");
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        Record("fsync folder " + std::to_string(info.st_ino));
    } else {
        Record("fsync file");
    }
    return next(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto next = Next<int (*)(const char*, const char*)>("rename");
    Record("rename");
    return next(from, to);
}

namespace vornikat {
namespace {

TEST(FolderSync, ASaveFlushesItsFileThenRenamesItThenFlushesTheFolder) {
    const testing::TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    FileRegistry registry(file);
    for (const char* score : {" 33", " 50"}) {
        std::vector<std::uint8_t> data(score, score + 4);
        TakeCalls();
        ASSERT_EQ(registry.WriteValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore",
                                      {reg::kSz, data}),
                  reg::kSuccess);
        struct stat folder {};
        ASSERT_EQ(::stat(dir.Path().c_str(), &folder), 0);
        EXPECT_EQ(TakeCalls(),
                  (std::vector<std::string>{"fsync file", "rename",
                                            "fsync folder " + std::to_string(folder.st_ino)}))
            << score;
    }
}

}  // namespace
}  // namespace vornikat
