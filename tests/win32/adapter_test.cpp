// SPDX-License-Identifier: MIT
// The Windows adapters against the real thing, under Wine: the registry, the executable's own
// resources, files and processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>

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
    RegKey key = 0;
    ASSERT_EQ(registry.CreateKey(kHKeyCurrentUser, kTestKey, key), reg::kSuccess);
    const std::array<std::uint8_t, 4> score = {' ', '3', '3', 0};
    ASSERT_EQ(registry.SetValue(key, "LastScore", reg::kSz, score), reg::kSuccess);
    ASSERT_EQ(registry.CloseKey(key), reg::kSuccess);

    ASSERT_EQ(registry.OpenKey(kHKeyCurrentUser, kTestKey, RegAccess::Default, key), reg::kSuccess);
    std::array<std::uint8_t, 255> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = buffer.size();
    ASSERT_EQ(registry.QueryValue(key, "lastscore", type, buffer, size), reg::kSuccess);
    EXPECT_EQ(type, reg::kSz);
    ASSERT_EQ(size, 4U);
    EXPECT_TRUE(std::equal(score.begin(), score.end(), buffer.begin()));

    std::array<std::uint8_t, 2> small{};
    EXPECT_EQ(registry.QueryValue(key, "LastScore", type, small, size), reg::kMoreData);
    EXPECT_EQ(size, 4U);
    EXPECT_EQ(registry.QueryValue(key, "Missing", type, buffer, size), reg::kNotFound);
    registry.CloseKey(key);
}

TEST_F(RegistryAdapter, AMissingKeyFailsAndAReadOnlyKeyRefusesWrites) {
    RegKey key = 7;
    EXPECT_EQ(registry.OpenKey(kHKeyCurrentUser, kTestKey, RegAccess::Default, key),
              reg::kNotFound);
    EXPECT_EQ(key, 0U);

    ASSERT_EQ(registry.CreateKey(kHKeyCurrentUser, kTestKey, key), reg::kSuccess);
    registry.CloseKey(key);
    ASSERT_EQ(registry.OpenKey(kHKeyCurrentUser, kTestKey, RegAccess::ReadOnly, key),
              reg::kSuccess);
    const std::array<std::uint8_t, 1> empty = {0};
    EXPECT_EQ(registry.SetValue(key, "LastScore", reg::kSz, empty), reg::kAccessDenied);
    registry.CloseKey(key);
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
