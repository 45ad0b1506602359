#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "posix_file_system.hpp"
#include "posix_launcher.hpp"

namespace vornikat {
namespace {

namespace fs = std::filesystem;

class PosixAdaptersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vornikat-posix-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path WriteFile(const std::string& name, const std::string& text, bool executable) {
        const fs::path path = folder / name;
        std::ofstream(path) << text;
        ::chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }

    // Waits a bounded time for a file that a started program writes.
    static bool AppearsSoon(const fs::path& path) {
        for (int i = 0; i < 500 && !fs::exists(path); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return fs::exists(path);
    }

    fs::path folder;
};

TEST_F(PosixAdaptersTest, FileExistsSeesRegularFilesByTheirWindows1251Names) {
    WriteFile("Справка.txt", "", false);
    PosixFileSystem files;
    EXPECT_TRUE(files.FileExists(folder.string() + "/\xD1\xEF\xF0\xE0\xE2\xEA\xE0.txt"));
    EXPECT_FALSE(files.FileExists(folder.string()));
    EXPECT_FALSE(files.FileExists(folder.string() + "/missing"));
    EXPECT_FALSE(files.FileExists(""));
}

TEST_F(PosixAdaptersTest, ProgramDirectoryBecomesCurrent) {
    const fs::path before = fs::current_path();
    PosixFileSystem().MakeProgramDirectoryCurrent();
    const fs::path now = fs::current_path();
    fs::current_path(before);
    EXPECT_EQ(now, fs::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(PosixAdaptersTest, ProgramStartsByItsPathAloneNeverThroughAShell) {
    const fs::path marker = folder / "started";
    const fs::path program =
        WriteFile("info; touch injected", "#!/bin/sh\ntouch '" + marker.string() + "'\n", true);
    PosixLauncher launcher;
    EXPECT_TRUE(launcher.StartProgram(program.string()));
    EXPECT_TRUE(AppearsSoon(marker));
    EXPECT_FALSE(fs::exists("injected"));
    EXPECT_FALSE(fs::exists(folder / "injected"));
}

TEST_F(PosixAdaptersTest, WhatCannotRunIsReportedAsNotStarted) {
    PosixLauncher launcher;
    EXPECT_FALSE(launcher.StartProgram(""));
    EXPECT_FALSE(launcher.StartProgram((folder / "missing").string()));
    EXPECT_FALSE(launcher.StartProgram(folder.string()));
    EXPECT_FALSE(launcher.StartProgram(WriteFile("plain", "data", false).string()));
    // Executable bits on a file the system cannot run: the exec itself fails.
    EXPECT_FALSE(launcher.StartProgram(WriteFile("garbage",
                                                 "\x7f"
                                                 "ELF junk",
                                                 true)
                                           .string()));
}

TEST_F(PosixAdaptersTest, SystemInfoToolIsLookedUpOnPathInOrderOfPreference) {
    const fs::path first = folder / "first";
    const fs::path second = folder / "second";
    fs::create_directories(first);
    fs::create_directories(second);
    WriteFile("first/kinfocenter", "", true);
    WriteFile("first/hardinfo2", "", false);
    WriteFile("second/hardinfo", "", true);
    const std::string searchPath = ":relative:" + first.string() + ":" + second.string();

    EXPECT_EQ(FindExecutable(searchPath, {"hardinfo2", "hardinfo", "kinfocenter"}),
              second.string() + "/hardinfo");
    EXPECT_EQ(FindExecutable(searchPath, {"kinfocenter"}), first.string() + "/kinfocenter");
    EXPECT_EQ(FindExecutable("", {"sh"}), "");
    EXPECT_EQ(FindExecutable(folder.string(), {"sh"}), "");
}

}  // namespace
}  // namespace vornikat
