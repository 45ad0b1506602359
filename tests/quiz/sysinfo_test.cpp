// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "body.hpp"
#include "fake_ports.hpp"

namespace vornikat {
namespace {

using testing::FakePorts;
using Trace = std::vector<std::string>;

const std::string kToolKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kUnavailable = "msgbox 0 \"System Information Is Unavailable At This Time\"";

MemoryRegistry::Value Text(std::string_view text, bool withNul = true) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    if (withNul) {
        data.push_back(0);
    }
    return {reg::kSz, data};
}

// The trace line of a program started, its path as a JSON string.
std::string Launch(const std::string& path) {
    std::string line = "launch \"";
    for (const char c : path) {
        line += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return line + "\"";
}

class SysInfoTest : public ::testing::Test {
  protected:
    Trace Run() {
        ports.answers = {msgbox::kAnswerOk};
        body.OnSysInfoClick();
        return ports.TakeTrace();
    }

    FakePorts ports;
    Body body{ports.AllPorts()};
};

TEST_F(SysInfoTest, ToolPathValueIsStartedAsItStandsWithOrWithoutItsNul) {
    for (const bool withNul : {true, false}) {
        ports.registry.PutValue(kToolKey, "PATH", Text("C:\\Tools\\info tool.exe", withNul));
        ports.startablePrograms = {"C:\\Tools\\info tool.exe"};
        EXPECT_EQ(Run(), Trace{Launch("C:\\Tools\\info tool.exe")}) << withNul;
    }
}

TEST_F(SysInfoTest, ToolThatCannotStartEndsInTheBox) {
    ports.registry.PutValue(kToolKey, "PATH", Text("C:\\missing.exe"));
    EXPECT_EQ(Run(), (Trace{Launch("C:\\missing.exe"), kUnavailable}));
}

TEST_F(SysInfoTest, FolderValueNamesTheToolOnlyWhenItsFileExists) {
    ports.registry.PutValue(kFolderKey, "MSINFO", Text("C:\\Info"));
    EXPECT_EQ(Run(), Trace{kUnavailable});

    ports.existingPaths = {"C:\\Info\\MSINFO32.EXE"};
    ports.startablePrograms = ports.existingPaths;
    EXPECT_EQ(Run(), Trace{Launch("C:\\Info\\MSINFO32.EXE")});
}

TEST_F(SysInfoTest, WithoutRegistryEntriesTheSystemsOwnToolIsTried) {
    EXPECT_EQ(Run(), Trace{kUnavailable});

    ports.fallbackTool = "/usr/bin/hardinfo";
    ports.startablePrograms = {"/usr/bin/hardinfo"};
    EXPECT_EQ(Run(), Trace{Launch("/usr/bin/hardinfo")});
}

TEST_F(SysInfoTest, KeyThatCannotBeOpenedCountsAsMissing) {
    ports.registry.PutValue(kToolKey, "PATH", Text("C:\\info.exe"));
    ports.registry.DenyAccess(kToolKey);
    EXPECT_EQ(Run(), Trace{kUnavailable});
}

// What a standard user meets under the machine's keys: reading is allowed, more is not.
class ReadOnlyMachineRegistry : public MemoryRegistry {
  public:
    long ProbeKey(RegRoot root, std::string_view path) override {
        if (root == RegRoot::LocalMachine) {
            return reg::kAccessDenied;
        }
        return MemoryRegistry::ProbeKey(root, path);
    }
};

TEST_F(SysInfoTest, ToolIsFoundByUsersWhoMayOnlyReadTheMachinesKeys) {
    ReadOnlyMachineRegistry registry;
    registry.PutValue(kToolKey, "PATH", Text("C:\\info.exe"));
    Ports restricted = ports.AllPorts();
    Ports withRegistry{restricted.window,   restricted.dialogs, restricted.resources,
                       restricted.sound,    restricted.files,   registry,
                       restricted.launcher, restricted.process};
    Body restrictedBody(withRegistry);
    ports.startablePrograms = {"C:\\info.exe"};
    restrictedBody.OnSysInfoClick();
    EXPECT_EQ(ports.TakeTrace(), Trace{Launch("C:\\info.exe")});
}

TEST_F(SysInfoTest, ValueIsReadWholeUpTo1024BytesAndIgnoredBeyond) {
    const std::string fits(1023, 'x');
    ports.registry.PutValue(kToolKey, "PATH", Text(fits));
    ports.startablePrograms = {fits};
    EXPECT_EQ(Run(), Trace{Launch(fits)});

    ports.registry.PutValue(kToolKey, "PATH", Text(fits + "y"));
    EXPECT_EQ(Run(), Trace{kUnavailable});
}

TEST_F(SysInfoTest, ValuesThatAreNotTextOrEmptyEndInTheBox) {
    ports.registry.PutValue(kToolKey, "PATH", {reg::kBinary, {'a', 'b'}});
    EXPECT_EQ(Run(), (Trace{Launch(""), kUnavailable}));

    ports.registry.PutValue(kToolKey, "PATH", {reg::kSz, {}});
    EXPECT_EQ(Run(), Trace{kUnavailable});
}

TEST_F(SysInfoTest, ADwordValueIsSpelledOutInHexadecimalAndTriedAsThePath) {
    // The trailing zero byte is taken for a terminator; the rest go last to first.
    ports.registry.PutValue(kToolKey, "PATH", {reg::kDword, {0x2a, 0x05, 0x00, 0x00}});
    EXPECT_EQ(Run(), (Trace{Launch("&h052A"), kUnavailable}));

    ports.registry.PutValue(kToolKey, "PATH", {reg::kDword, {0x01, 0x10, 0x00}});
    ports.startablePrograms = {"&h101"};
    EXPECT_EQ(Run(), Trace{Launch("&h101")});
}

}  // namespace
}  // namespace vornikat
