// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <system_error>
#include <thread>

#include "posix_atomic_file.hpp"
#include "posix_file_system.hpp"
#include "posix_launcher.hpp"
#include "regular_file_handle.hpp"

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

    // A Unix socket bound at the folder's "socket", its descriptor; -1 where it cannot be made.
    int BindSocket() const {
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (folder / "socket").string();
        if (listener < 0 || path.size() >= sizeof address.sun_path) {
            return -1;
        }
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(listener);
            return -1;
        }
        return listener;
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

// Opens the path as the bank in a thread of its own, so that an open that blocks fails the test
// instead of hanging it; a FIFO left waiting is then released by a writer.
bool OpensAsBank(const fs::path& path) {
    auto opened = std::async(std::launch::async, [path] {
        return PosixFileSystem(path).OpenForReading("data.bin") != nullptr;
    });
    if (opened.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        opened.wait();
        ::close(writer);
        ADD_FAILURE() << path << " blocked the open";
        return true;
    }
    return opened.get();
}

TEST_F(PosixAdaptersTest, OnlyARegularFileIsReadAsTheBankAndNothingElseBlocks) {
    const fs::path bank = WriteFile("my bank.bin", "\x01\x02", false);
    const auto source = PosixFileSystem(bank).OpenForReading("data.bin");
    ASSERT_NE(source, nullptr);
    std::uint8_t bytes[4] = {};
    EXPECT_EQ(source->Read(bytes, sizeof bytes), 2U);
    EXPECT_EQ(bytes[1], 2);

    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(OpensAsBank(fifo));
    EXPECT_FALSE(OpensAsBank(folder));
    EXPECT_FALSE(OpensAsBank("/dev/zero"));
    EXPECT_FALSE(OpensAsBank(folder / "missing"));

    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    EXPECT_FALSE(OpensAsBank(::ptsname(terminal)));
    ::close(terminal);

    const int listener = BindSocket();
    ASSERT_GE(listener, 0);
    const std::string socketPath = (folder / "socket").string();
    ASSERT_EQ(::listen(listener, 1), 0);
    EXPECT_FALSE(OpensAsBank(socketPath));
    ::close(listener);
}

// A save names only files: a pipe, a socket or a folder at the name, or at the end of a link,
// stays what it is, and no temporary file is left beside it.
TEST_F(PosixAdaptersTest, AnAtomicWriteReplacesOnlyARegularFile) {
    const std::uint8_t bytes[] = {1, 2, 3};
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int listener = BindSocket();
    ASSERT_GE(listener, 0);
    const std::string socketPath = (folder / "socket").string();
    const fs::path inner = folder / "inner";
    fs::create_directory(inner);
    fs::create_symlink(fifo, folder / "link");

    const auto refusal = [&](const fs::path& target) {
        try {
            WriteFileAtomically(target, bytes);
        } catch (const std::system_error& error) {
            return error.code().value();
        }
        return 0;
    };
    EXPECT_EQ(refusal(fifo), ENOTSUP);
    EXPECT_EQ(refusal(socketPath), ENOTSUP);
    EXPECT_EQ(refusal(folder / "link"), ENOTSUP);
    EXPECT_EQ(refusal(inner), EISDIR);
    ::close(listener);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_socket(socketPath));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_TRUE(fs::is_directory(inner));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);

    WriteFileAtomically(folder / "bank.bin", bytes);
    WriteFileAtomically(folder / "bank.bin", bytes);
    EXPECT_EQ(fs::file_size(folder / "bank.bin"), sizeof bytes);
}

TEST_F(PosixAdaptersTest, TheOpenerNamesWhatItRefusesAndReadsInStepsThatCanStop) {
    const fs::path fifo = folder / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(folder / "nowhere", folder / "dangling");
    const std::pair<fs::path, OpenProblem> refused[] = {
        {folder, OpenProblem::Folder},           {fifo, OpenProblem::Fifo},
        {"/dev/zero", OpenProblem::Device},      {folder / "dangling", OpenProblem::DanglingLink},
        {folder / "none", OpenProblem::Missing}, {"", OpenProblem::Missing},
    };
    for (const auto& [path, problem] : refused) {
        const WholeFile whole = ReadRegularFile(path);
        EXPECT_EQ(whole.problem, problem) << path;
        EXPECT_TRUE(whole.bytes.empty());
    }

    const std::string content(3 * (1 << 20) + 5, 'x');
    const fs::path big = WriteFile("big.txt", content, false);
    std::vector<std::uint64_t> seen;
    const WholeFile read = ReadRegularFile(big, [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, content.size());
        seen.push_back(done);
        return true;
    });
    EXPECT_EQ(read.bytes, content);
    EXPECT_GE(seen.size(), 4U);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

    const WholeFile stopped =
        ReadRegularFile(big, [](std::uint64_t done, std::uint64_t) { return done == 0; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.bytes.empty());
}

TEST_F(PosixAdaptersTest, WithoutABankDataBinIsReadFromTheCurrentFolder) {
    WriteFile("data.bin", "\x07", false);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const auto plain = PosixFileSystem().OpenForReading("data.bin");
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    // An open that waits for a pipe's writer is given one after a while, so that the test
    // fails with a message instead of waiting for ever.
    auto opening =
        std::async(std::launch::async, [] { return PosixFileSystem().OpenForReading("fifo"); });
    const bool waited = opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
    if (waited) {
        ::close(::open("fifo", O_WRONLY | O_NONBLOCK));
    }
    const auto fifo = opening.get();
    fs::current_path(before);
    EXPECT_NE(plain, nullptr);
    EXPECT_FALSE(waited) << "opening a pipe as the bank waited for a writer";
    EXPECT_EQ(fifo, nullptr);
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
