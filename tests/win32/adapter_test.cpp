// SPDX-License-Identifier: MIT
// The Windows adapters against the real thing, under Wine: the registry, the executable's own
// resources, files and processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "win32_file_system.hpp"
#include "win32_launcher.hpp"
#include "win32_registry.hpp"
#include "win32_resources.hpp"

namespace vornikat::win32 {
namespace {

constexpr char kTestKey[] = "Software\\VornikatAdapterTest";

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

class RegistryAdapter : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    Win32Registry registry;
};

TEST_F(RegistryAdapter, WritesAndReadsBackUnderAPredefinedRoot) {
    const RegValue score{reg::kSz, {' ', '3', '3', 0}};
    ASSERT_EQ(registry.WriteValue(RegRoot::CurrentUser, kTestKey, "LastScore", score),
              reg::kSuccess);
    EXPECT_EQ(registry.ProbeKey(RegRoot::CurrentUser, kTestKey), reg::kSuccess);
    const RegRead read = registry.ReadValue(RegRoot::CurrentUser, kTestKey, "lastscore");
    ASSERT_EQ(read.result, reg::kSuccess);
    EXPECT_EQ(read.value, score);
    EXPECT_EQ(registry.ReadValue(RegRoot::CurrentUser, kTestKey, "Missing").result, reg::kNotFound);

    // A value is read whole, however large.
    const RegValue big{reg::kBinary, std::vector<std::uint8_t>(4000, 7)};
    ASSERT_EQ(registry.WriteValue(RegRoot::CurrentUser, kTestKey, "Big", big), reg::kSuccess);
    EXPECT_EQ(registry.ReadValue(RegRoot::CurrentUser, kTestKey, "Big").value, big);
    const RegValue empty{reg::kBinary, {}};
    ASSERT_EQ(registry.WriteValue(RegRoot::CurrentUser, kTestKey, "Empty", empty), reg::kSuccess);
    const RegRead none = registry.ReadValue(RegRoot::CurrentUser, kTestKey, "Empty");
    EXPECT_EQ(none.result, reg::kSuccess);
    EXPECT_EQ(none.value, empty);
}

TEST_F(RegistryAdapter, AMissingKeyFailsWithTheSystemsResult) {
    EXPECT_EQ(registry.ProbeKey(RegRoot::CurrentUser, kTestKey), reg::kNotFound);
    EXPECT_EQ(registry.ReadValue(RegRoot::CurrentUser, kTestKey, "LastScore").result,
              reg::kNotFound);
}

TEST(ResourceAdapter, ServesTheSoundsOfTheExecutableItself) {
    Win32Resources resources;
    const auto right = resources.LoadResource("SOUNDS", 101);
    const auto wrong = resources.LoadResource("SOUNDS", 102);
    ASSERT_TRUE(right.has_value());
    ASSERT_TRUE(wrong.has_value());
    EXPECT_EQ(right->size(), 7552U);
    EXPECT_EQ(wrong->size(), 11532U);
    EXPECT_EQ(std::string(right->begin(), right->begin() + 4), "RIFF");
    // The same bytes each time: the loader's own copy, nothing made per call.
    EXPECT_EQ(resources.LoadResource("SOUNDS", 101)->data(), right->data());
    EXPECT_FALSE(resources.LoadResource("SOUNDS", 103).has_value());
    EXPECT_FALSE(resources.LoadResource("WAVE", 101).has_value());
}

TEST(FileSystemAdapter, FindsFilesNotFoldersAndMovesToTheProgramsFolder) {
    Win32FileSystem files;
    const std::string own = OwnPath();
    const std::string folder = own.substr(0, own.find_last_of('\\'));
    EXPECT_TRUE(files.FileExists(own));
    EXPECT_FALSE(files.FileExists(folder));
    EXPECT_FALSE(files.FileExists(folder + "\\no such file.exe"));
    EXPECT_FALSE(files.FileExists(""));

    SetCurrentDirectoryA("C:\\");
    files.MakeProgramDirectoryCurrent();
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current), folder);
    EXPECT_NE(files.OpenForReading(own.substr(own.find_last_of('\\') + 1)), nullptr);
}

TEST(LauncherAdapter, StartsAProgramByItsPathOrSaysItCannot) {
    Win32Launcher launcher;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_TRUE(launcher.StartProgram(std::string(system) + "\\hostname.exe"));
    EXPECT_FALSE(launcher.StartProgram(std::string(system) + "\\no such tool.exe"));
    EXPECT_FALSE(launcher.StartProgram(""));
    EXPECT_EQ(launcher.FindFallbackSystemInfoTool(), "");
}

}  // namespace
}  // namespace vornikat::win32
