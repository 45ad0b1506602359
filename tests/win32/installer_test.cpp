// SPDX-License-Identifier: MIT
// The Windows installer under Wine, used as a player uses it: a silent install for this user
// alone, the quiz played from where it was installed, the uninstaller that the user's list of
// programs names run silently; the player's score and banks outlive it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <string>
#include <vector>

#include "program_driver.hpp"

namespace vornikat::win32test {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kTitle[] = L"Ворникат";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vornikat";
const wchar_t* const kInstalledFiles[] = {
    L"Vornikat.exe", L"vornikat-bank.exe",       L"data.bin",     L"ПРОЧТИ.txt",
    L"LICENSE.txt",  L"THIRD-PARTY-NOTICES.txt", L"uninstall.exe"};

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    const fs::path folder(path != nullptr ? path : L"");
    CoTaskMemFree(path);
    return folder;
}

fs::path InstallFolder() {
    return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Vornikat";
}

fs::path MenuFolder() {
    return KnownFolder(FOLDERID_Programs) / L"Ворникат";
}

std::wstring UninstallValue(const wchar_t* name) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

// Runs a command line to its end; its exit status, or -1 when it did not start or end.
long RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// The installer's manifest asks for no administrator.
bool AsksForNoAdministrator(const fs::path& installer) {
    HMODULE module = LoadLibraryExW(installer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return false;
    }
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    const auto* bytes =
        found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : nullptr;
    const std::string manifest = bytes ? std::string(bytes, SizeofResource(module, found)) : "";
    FreeLibrary(module);
    return manifest.find("level=\"asInvoker\"") != std::string::npos;
}

void Uninstall() {
    // The uninstaller copies itself away to delete the folder, so its end says nothing: its
    // last step, the uninstall key going, does.
    ASSERT_EQ(RunToEnd(UninstallValue(L"QuietUninstallString")), 0);
    EXPECT_TRUE(WaitUntil([] { return UninstallValue(L"DisplayName").empty(); }, 30000));
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class InstallerUnderWine : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteScoreKeys();
        ASSERT_FALSE(fs::exists(InstallFolder())) << "installed already";
        ASSERT_EQ(RunToEnd(L"\"" + HostPath(VORNIKAT_SETUP_PATH).wstring() + L"\" /S"), 0);
    }
    void TearDown() override {
        DeleteScoreKeys();
        std::error_code ignored;
        fs::remove_all(InstallFolder(), ignored);
        fs::remove_all(MenuFolder(), ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    }
};

TEST_F(InstallerUnderWine, InstallsForTheUserPlaysAndUninstallsKeepingScoreAndBanks) {
    EXPECT_TRUE(AsksForNoAdministrator(HostPath(VORNIKAT_SETUP_PATH)));
    for (const wchar_t* name : kInstalledFiles) {
        EXPECT_TRUE(fs::is_regular_file(InstallFolder() / name)) << fs::path(name).string();
    }
    EXPECT_TRUE(fs::is_regular_file(MenuFolder() / L"Ворникат.lnk"));
    EXPECT_TRUE(fs::is_regular_file(MenuFolder() / L"ПРОЧТИ.lnk"));
    EXPECT_EQ(UninstallValue(L"DisplayName"), kTitle);
    EXPECT_EQ(UninstallValue(L"UninstallString"),
              L"\"" + (InstallFolder() / L"uninstall.exe").wstring() + L"\"");

    // The shipped bank played through from the installed program, each question left at its
    // first option; the verdict stores the score.
    {
        RunningProgram program(Launch{.installed = InstallFolder() / L"Vornikat.exe"});
        ASSERT_TRUE(Answer(program.WaitForMessageBox(), IDYES));
        ASSERT_TRUE(Answer(program.WaitForMessageBox(), IDOK));
        const HWND main = program.WaitForMain();
        ASSERT_NE(main, nullptr);
        const HWND next = ChildWithText(main, L"Дальше");
        const HWND counter = ChildInFrame(main, L"Счётчик", L"Static");
        const auto verdict = [&] { return program.FindWindowOf(L"#32770", kTitle); };
        for (int question = 0; question < 1000 && verdict() == nullptr; ++question) {
            const std::wstring before = TextOf(counter);
            Click(next);
            ASSERT_TRUE(WaitUntil([&] { return TextOf(counter) != before || verdict(); }));
        }
        ASSERT_TRUE(Answer(program.WaitForMessageBox(), IDOK));
        EXPECT_TRUE(program.WaitForExit());
    }
    const auto score = ReadLastScore(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(score.has_value());

    // A bank of the player's own beside the program, as the readme says to.
    WriteFile(InstallFolder() / L"мой-банк.bin", "the player's");
    Uninstall();
    for (const wchar_t* name : kInstalledFiles) {
        EXPECT_FALSE(fs::exists(InstallFolder() / name)) << fs::path(name).string();
    }
    EXPECT_EQ(ReadFile(InstallFolder() / L"мой-банк.bin"), "the player's");
    EXPECT_FALSE(fs::exists(MenuFolder()));
    EXPECT_EQ(ReadLastScore(HKEY_LOCAL_MACHINE), score);
}

// The readme tells a player to put their own bank in data.bin's place: installing again and
// uninstalling both leave it as it is.
TEST_F(InstallerUnderWine, KeepsAPlayersBankInTheShippedOnesPlace) {
    const fs::path bank = InstallFolder() / L"data.bin";
    WriteFile(bank, "the player's");
    ASSERT_EQ(RunToEnd(L"\"" + HostPath(VORNIKAT_SETUP_PATH).wstring() + L"\" /S"), 0);
    EXPECT_EQ(ReadFile(bank), "the player's");
    Uninstall();
    EXPECT_EQ(ReadFile(bank), "the player's");
    EXPECT_FALSE(fs::exists(InstallFolder() / L"Vornikat.exe"));
}

}  // namespace
}  // namespace vornikat::win32test
