#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "file_lock.hpp"
#include "file_registry.hpp"
#include "registry_location.hpp"
#include "script_runner.hpp"

namespace vornikat {
namespace {

using testing::TempDir;
using Bytes = std::vector<std::uint8_t>;

constexpr int kWriters = 4;
constexpr int kValuesEach = 15;

// Writes its own values under one key, each through a registry of its own, as a separate
// copy of the program would.
bool WriteValues(const std::filesystem::path& file, int writer) {
    FileRegistry registry(file);
    for (int i = 0; i < kValuesEach; ++i) {
        RegKey key = 0;
        if (registry.CreateKey(kHKeyLocalMachine, "Software\\Vornikat\\W" + std::to_string(writer),
                               key) != reg::kSuccess) {
            return false;
        }
        const std::string name = "v" + std::to_string(i);
        const Bytes data = {static_cast<std::uint8_t>(writer), static_cast<std::uint8_t>(i)};
        const long result = registry.SetValue(key, name, reg::kBinary, data);
        registry.CloseKey(key);
        if (result != reg::kSuccess) {
            return false;
        }
    }
    return true;
}

void ExpectEveryValue(const std::filesystem::path& file) {
    FileRegistry registry(file);
    for (int writer = 0; writer < kWriters; ++writer) {
        RegKey key = 0;
        ASSERT_EQ(
            registry.OpenKey(kHKeyLocalMachine, "Software\\Vornikat\\W" + std::to_string(writer),
                             RegAccess::ReadOnly, key),
            reg::kSuccess);
        for (int i = 0; i < kValuesEach; ++i) {
            Bytes buffer(8);
            std::uint32_t type = 0;
            std::uint32_t size = 8;
            ASSERT_EQ(registry.QueryValue(key, "v" + std::to_string(i), type, buffer, size),
                      reg::kSuccess)
                << "writer " << writer << " value " << i;
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + size),
                      (Bytes{static_cast<std::uint8_t>(writer), static_cast<std::uint8_t>(i)}));
        }
        registry.CloseKey(key);
    }
}

TEST(RegistryStore, WritersSideBySideLoseNothing) {
    const TempDir dir;
    const auto threadsFile = dir.Path() / "threads.reg";
    std::vector<std::thread> threads;
    std::vector<int> ok(kWriters, 0);
    for (int w = 0; w < kWriters; ++w) {
        threads.emplace_back(
            [&, w] { ok[static_cast<std::size_t>(w)] = WriteValues(threadsFile, w) ? 1 : 0; });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(ok, std::vector<int>(kWriters, 1));
    ExpectEveryValue(threadsFile);

    const auto processesFile = dir.Path() / "processes.reg";
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::_exit(WriteValues(processesFile, w) ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectEveryValue(processesFile);

    // Nothing but the files and their locks is left behind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"processes.reg", "processes.reg.lock", "threads.reg",
                                               "threads.reg.lock"}));
}

TEST(RegistryStore, ALockHeldElsewhereMakesAWriteFailInsteadOfWaitingForever) {
    const TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    const FileLock held(dir.Path() / "registry.reg.lock", std::chrono::milliseconds(0));
    ASSERT_TRUE(held.Held());
    FileRegistry registry(file);
    RegKey key = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(registry.CreateKey(kHKeyLocalMachine, "Software\\Vornikat", key), reg::kAccessDenied);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(RegistryStore, TheFolderIsCreatedForItsOwnerAlone) {
    const TempDir dir;
    const auto file = dir.Path() / "config" / "vornikat" / "registry.reg";
    FileRegistry registry(file);
    RegKey key = 0;
    ASSERT_EQ(registry.CreateKey(kHKeyLocalMachine, "Software\\Vornikat", key), reg::kSuccess);
    for (const auto& folder : {file.parent_path(), file.parent_path().parent_path()}) {
        struct stat info {};
        ASSERT_EQ(::stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700U) << folder;
    }
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0U);
}

TEST(RegistryStore, TheStoreLivesUnderTheUsersConfigFolder) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = savedXdg != nullptr ? savedXdg : "";
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/cfg", 1);
    EXPECT_EQ(DefaultRegistryFile(), "/somewhere/cfg/vornikat/registry.reg");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(DefaultRegistryFile(), std::filesystem::path(home) / ".config/vornikat/registry.reg");
    ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
    EXPECT_EQ(DefaultRegistryFile(), std::filesystem::path(home) / ".config/vornikat/registry.reg");
    if (savedXdg != nullptr) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
}  // namespace vornikat
