// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "child_wait.hpp"
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
        const RegValue value{reg::kBinary,
                             {static_cast<std::uint8_t>(writer), static_cast<std::uint8_t>(i)}};
        if (registry.WriteValue(RegRoot::LocalMachine,
                                "Software\\Vornikat\\W" + std::to_string(writer),
                                "v" + std::to_string(i), value) != reg::kSuccess) {
            return false;
        }
    }
    return true;
}

void ExpectEveryValue(const std::filesystem::path& file) {
    FileRegistry registry(file);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kValuesEach; ++i) {
            const RegRead read = registry.ReadValue(
                RegRoot::LocalMachine, "Software\\Vornikat\\W" + std::to_string(writer),
                "v" + std::to_string(i));
            ASSERT_EQ(read.result, reg::kSuccess) << "writer " << writer << " value " << i;
            EXPECT_EQ(read.value.data,
                      (Bytes{static_cast<std::uint8_t>(writer), static_cast<std::uint8_t>(i)}));
        }
    }
}

// The score as the quiz saves it.
long SaveScore(FileRegistry& registry, RegRoot root = RegRoot::LocalMachine) {
    return registry.WriteValue(root, "Software\\Vornikat", "LastScore",
                               {reg::kSz, {' ', '3', '3', 0}});
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

constexpr std::string_view kScoreFile =
    "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n"
    "\"LastScore\"=\" 33\"\n";

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
        const int status = testing::WaitForChild(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectEveryValue(processesFile);

    // Nothing but the files and their locks is left behind.
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"processes.reg", "processes.reg.lock",
                                                           "threads.reg", "threads.reg.lock"}));
}

TEST(RegistryStore, AFirstSaveKilledAnywhereLeavesNoFileOrTheKeyWithItsScore) {
#ifndef VORNIKAT_FAULT_POINTS
    GTEST_SKIP() << "an optimised build has no points to kill a save at";
#endif
    const TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    for (const char* point : {"written", "renamed"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::setenv("VORNIKAT_KILL_AT", point, 1);
            FileRegistry registry(file);
            ::_exit(SaveScore(registry) == reg::kSuccess ? 0 : 1);
        }
        const int status = testing::WaitForChild(pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << point;
        if (std::filesystem::exists(file)) {
            EXPECT_EQ(ReadAll(file), kScoreFile) << point;
        }
    }
    EXPECT_EQ(ReadAll(file), kScoreFile);

    // The temporary file of the save killed before its rename goes with the next save.
    ::setenv("VORNIKAT_KILL_AT", "written", 1);
    if (const pid_t pid = ::fork(); pid == 0) {
        FileRegistry registry(file);
        ::_exit(registry.WriteValue(RegRoot::LocalMachine, "Software\\Other", "v",
                                    {reg::kSz, {'x', 0}}) == reg::kSuccess
                    ? 0
                    : 1);
    } else {
        ::unsetenv("VORNIKAT_KILL_AT");
        testing::WaitForChild(pid);
    }
    EXPECT_EQ(Names(dir.Path()).size(), 3U);
    FileRegistry registry(file);
    EXPECT_EQ(SaveScore(registry, RegRoot::CurrentUser), reg::kSuccess);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST(RegistryStore, AGameThatStoresTheSameScoreStillRemovesWhatAKilledSaveLeft) {
#ifndef VORNIKAT_FAULT_POINTS
    GTEST_SKIP() << "an optimised build has no points to kill a save at";
#endif
    const TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    FileRegistry first(file);
    ASSERT_EQ(SaveScore(first), reg::kSuccess);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("VORNIKAT_KILL_AT", "written", 1);
        FileRegistry registry(file);
        ::_exit(registry.WriteValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore",
                                    {reg::kSz, {' ', '5', '0', 0}}) == reg::kSuccess
                    ? 0
                    : 1);
    }
    const int status = testing::WaitForChild(pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ASSERT_EQ(Names(dir.Path()).size(), 3U);

    // The score stored is the one the file holds: nothing changes, yet the leftover goes.
    FileRegistry again(file);
    EXPECT_EQ(SaveScore(again), reg::kSuccess);
    EXPECT_EQ(ReadAll(file), kScoreFile);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST(RegistryStore, ASaveRemovesTheTemporaryFilesOfSavesKilledBeforeAndNothingElse) {
#ifndef VORNIKAT_FAULT_POINTS
    GTEST_SKIP() << "an optimised build has no points to kill a save at";
#endif
    const TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    // The player's own files beside the store, named the way temporary files once were, or
    // almost as they are now.
    const std::vector<std::string> players = {"registry.reg.new-backup", "registry.reg.new-abc123",
                                              "registry.reg.new-Ab12Cd", "registry.reg.bak",
                                              ".registry.reg.swp"};
    for (const auto& name : players) {
        std::ofstream(dir.Path() / name) << "the player's";
    }
    // A save killed before its rename leaves a temporary file.
    if (const pid_t pid = ::fork(); pid == 0) {
        ::setenv("VORNIKAT_KILL_AT", "written", 1);
        FileRegistry registry(file);
        ::_exit(SaveScore(registry) == reg::kSuccess ? 0 : 1);
    } else {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status));
    }
    std::vector<std::string> left;
    for (const auto& name : Names(dir.Path())) {
        if (std::find(players.begin(), players.end(), name) == players.end() &&
            name != "registry.reg.lock") {
            left.push_back(name);
        }
    }
    ASSERT_EQ(left.size(), 1U);
    // A folder and a link that bear a temporary file's name are not temporary files.
    std::string lookalike = left[0];
    lookalike.back() = lookalike.back() == 'a' ? 'b' : 'a';
    std::filesystem::create_directory(dir.Path() / lookalike);
    std::string link = left[0];
    link[link.size() - 2] = link[link.size() - 2] == 'a' ? 'b' : 'a';
    std::filesystem::create_symlink("registry.reg.bak", dir.Path() / link);
    // Upper-case letters and a longer tail are not the writers' own either.
    std::string upper = left[0];
    upper.back() = 'Z';
    std::ofstream(dir.Path() / upper) << "the player's";
    std::ofstream(dir.Path() / (left[0] + "0")) << "the player's";

    FileRegistry registry(file);
    EXPECT_EQ(SaveScore(registry), reg::kSuccess);
    std::vector<std::string> expected = players;
    for (const auto& name : {std::string("registry.reg"), std::string("registry.reg.lock"),
                             lookalike, link, upper, left[0] + "0"}) {
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir.Path()), expected);
}

TEST(RegistryStore, AHeldLockCostsOneWaitAndTheScoreIsNotStored) {
    const TempDir dir;
    const auto file = dir.Path() / "registry.reg";
    std::ostringstream notices;
    FileRegistry registry(file, notices, std::chrono::milliseconds(100));
    const int held = ::open((dir.Path() / "registry.reg.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(SaveScore(registry), reg::kAccessDenied);
    ::close(held);
    // The user's key after the machine's does not wait again, even for a lock now free.
    EXPECT_EQ(SaveScore(registry, RegRoot::CurrentUser), reg::kAccessDenied);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(RegistryStore, ALinkIsWrittenThroughOnlyToARegistryFile) {
    const TempDir dir;
    const auto own = dir.Path() / "own";
    const auto elsewhere = dir.Path() / "elsewhere";
    std::filesystem::create_directories(own);
    std::filesystem::create_directories(elsewhere);
    const auto link = own / "registry.reg";
    const auto target = elsewhere / "target.reg";
    const std::string foreignValue =
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\"\n";

    std::ofstream(target) << foreignValue;
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    std::filesystem::create_symlink("../elsewhere/target.reg", link);
    FileRegistry registry(link);
    ASSERT_EQ(SaveScore(registry), reg::kSuccess);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(target), foreignValue + std::string(kScoreFile.substr(37)));
    EXPECT_EQ(Names(elsewhere), std::vector<std::string>{"target.reg"});
    EXPECT_EQ(Names(own), (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));

    // Not a registry file, a pipe, nothing at all: nothing is written, renamed or created there.
    std::filesystem::remove(target);
    std::ofstream(target) << "my notes\n";
    FileRegistry notes(link);
    EXPECT_EQ(SaveScore(notes), reg::kAccessDenied);
    EXPECT_EQ(ReadAll(target), "my notes\n");
    std::filesystem::remove(target);
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    FileRegistry pipe(link);
    EXPECT_EQ(SaveScore(pipe), reg::kAccessDenied);
    EXPECT_TRUE(std::filesystem::is_fifo(target));
    std::filesystem::remove(target);
    FileRegistry dangling(link);
    EXPECT_EQ(SaveScore(dangling), reg::kAccessDenied);
    EXPECT_TRUE(Names(elsewhere).empty());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST(RegistryStore, TheFolderIsCreatedForItsOwnerAlone) {
    const TempDir dir;
    const auto file = dir.Path() / "config" / "vornikat" / "registry.reg";
    FileRegistry registry(file);
    ASSERT_EQ(SaveScore(registry), reg::kSuccess);
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
