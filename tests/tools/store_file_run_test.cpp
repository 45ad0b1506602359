// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "fake_ports.hpp"
#include "script_runner.hpp"

namespace vornikat {
namespace {

using testing::RunScript;
using testing::TempDir;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StoreFileRun : public ::testing::Test {
  protected:
    StoreFileRun() { dir.Write("data.bin", testing::MakeBankBytes(3, 2)); }

    testing::ScriptRun Run(const std::string& script) {
        return RunScript(dir.Path(), script, {"--registry", store.string()});
    }

    TempDir dir;
    TempDir home;
    std::filesystem::path store = home.Path() / "config" / "vornikat" / "registry.reg";
};

TEST_F(StoreFileRun, ACompletedTestGreetsTheNextRunByItsScore) {
    // One right answer of three: 33.
    auto run = Run("yes\nok\nselect 2\nclick Nxt\nclick Nxt\nclick Nxt\nok\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.back(), "end");
    EXPECT_EQ(ReadAll(store),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n"
              "\"LastScore\"=\" 33\"\n");

    run = Run("yes\nok\nselect 2\nclick Nxt\nselect 2\nclick Nxt\nselect 2\nclick Nxt\nok\n");
    ASSERT_GE(run.lines.size(), 2U);
    EXPECT_EQ(run.lines[0], "msgbox 36 \"Привет чайник, что тебе надо ?\\rБудешь играть ?\"");
    EXPECT_EQ(run.lines[1], "msgbox 64 \"Желаю удачи :)\"");
    EXPECT_EQ(run.lines.back(), "end");
    EXPECT_NE(ReadAll(store).find("\"LastScore\"=\" 100\"\n"), std::string::npos);

    run = Run("no\nok\n");
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "msgbox 36 \"Привет Mr.Profi, хорошо что зашёл !\\rБудешь играть ?\"",
                             "msgbox 64 \"Значит ты ламер :)\"", "end"}));
}

TEST_F(StoreFileRun, LeavingBeforeTheEndLeavesTheStoreAsItWas) {
    // Nothing is created by a first run that is left.
    auto run = Run("yes\nok\nclick Exit\nok\n");
    EXPECT_EQ(run.lines.back(), "end");
    run = Run("no\nok\n");
    EXPECT_EQ(run.lines.back(), "end");
    EXPECT_FALSE(std::filesystem::exists(store));

    std::filesystem::create_directories(store.parent_path());
    const std::string before =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\r\n\"LastScore\"=\" 12\"\r\n; mine\r\n";
    std::ofstream(store, std::ios::binary) << before;
    run = Run("yes\nok\nselect 2\nclick Nxt\nclick Exit\nok\n");
    EXPECT_EQ(run.lines.back(), "end");
    run = Run("yes\nok\nclose\nok\n");
    EXPECT_EQ(run.lines.back(), "end");
    EXPECT_EQ(ReadAll(store), before);
}

TEST_F(StoreFileRun, AWholeGameOpensTheStoreFileAtMostThreeTimes) {
    std::filesystem::create_directories(store.parent_path());
    std::ofstream(store, std::ios::binary) << "Windows Registry Editor Version 5.00\n\n"
                                              "[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n"
                                              "\"LastScore\"=\" 12\"\n";
    // The kernel queues an event for each open and close as it happens; they are all there once
    // the run has ended. Closes are watched too, as the kernel merges repeated events in a row.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, store.parent_path().c_str(), IN_OPEN | IN_CLOSE), 0);
    const auto run = Run("yes\nok\nselect 2\nclick Nxt\nclick Nxt\nclick Nxt\nok\n");
    ASSERT_EQ(run.lines.back(), "end");
    int opens = 0;
    alignas(inotify_event) char events[65536];
    for (ssize_t n = 0; (n = ::read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            opens += (event->mask & IN_OPEN) != 0 && event->len > 0 &&
                             std::string(event->name) == "registry.reg"
                         ? 1
                         : 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::close(watch);
    EXPECT_GE(opens, 1);
    EXPECT_LE(opens, 3);
    EXPECT_NE(ReadAll(store).find("\"LastScore\"=\" 33\"\n"), std::string::npos);
}

}  // namespace
}  // namespace vornikat
