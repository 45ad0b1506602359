// SPDX-License-Identifier: MIT
// Where the desktop program keeps its score and finds its bank: only under absolute folders,
// so that nothing lands in whatever folder the program happens to be in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "bank_location.hpp"
#include "registry_location.hpp"
#include "terminal_text.hpp"

namespace vornikat {
namespace {

namespace fs = std::filesystem;

// Sets the variables for one test and puts them back after it.
class Environment : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

    void Set(const std::string& name, const char* value) {
        if (saved_.count(name) == 0) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value != nullptr) {
            ::setenv(name.c_str(), value, 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

using StoreLocation = Environment;
using BankLocation = Environment;

TEST_F(StoreLocation, ARelativeHomeOrConfigFolderGivesNoStoreFile) {
    Set("XDG_CONFIG_HOME", "relative/cfg");
    Set("HOME", "/home/someone");
    EXPECT_EQ(DefaultRegistryFile(), fs::path("/home/someone/.config/vornikat/registry.reg"));
    Set("HOME", "relative-home");
    EXPECT_EQ(DefaultRegistryFile(), std::nullopt);
    Set("HOME", "");
    EXPECT_EQ(DefaultRegistryFile(), std::nullopt);
    Set("XDG_CONFIG_HOME", "/somewhere/cfg");
    EXPECT_EQ(DefaultRegistryFile(), fs::path("/somewhere/cfg/vornikat/registry.reg"));
}

TEST_F(StoreLocation, WithoutAStoreFileTheScoreIsKeptInMemoryNothingIsWrittenAndStderrSaysSo) {
    const fs::path folder =
        fs::temp_directory_path() / ("vornikat-store-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    Set("XDG_CONFIG_HOME", nullptr);
    for (const char* home : {"home", ""}) {
        Set("HOME", home);
        ::testing::internal::CaptureStderr();
        const auto store = OpenDefaultStore();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said,
                  "vornikat: HOME is empty or not an absolute path: the score is kept for this "
                  "run only\n")
            << "HOME=" << home;
        const RegValue score{reg::kSz, {' ', '5', '0', 0}};
        EXPECT_EQ(
            store->WriteValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore", score),
            reg::kSuccess);
        EXPECT_EQ(store->ReadValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore").value,
                  score);
    }
    const bool wroteSomething = !fs::is_empty(folder);
    fs::current_path(before);
    fs::remove_all(folder);
    EXPECT_FALSE(wroteSomething);
}

TEST_F(BankLocation, TheProgramsFolderComesFirstThenTheUsersThenTheInstalledBank) {
    Set("XDG_DATA_HOME", nullptr);
    Set("HOME", "/home/someone");
    EXPECT_EQ(BankPlaces("/opt/vk/bin", "../share/vornikat"),
              (std::vector<fs::path>{"/opt/vk/bin/data.bin",
                                     "/home/someone/.local/share/vornikat/data.bin",
                                     "/opt/vk/share/vornikat/data.bin"}));
    Set("XDG_DATA_HOME", "/data");
    EXPECT_EQ(BankPlaces("/nowhere/bin", "../share/vornikat")[1],
              fs::path("/data/vornikat/data.bin"));
    // A relative XDG_DATA_HOME is ignored, and a relative HOME leaves the user's place out.
    Set("XDG_DATA_HOME", "data");
    EXPECT_EQ(BankPlaces("/nowhere/bin", "../share/vornikat")[1],
              fs::path("/home/someone/.local/share/vornikat/data.bin"));
    Set("HOME", "someone");
    EXPECT_EQ(BankPlaces("/nowhere/bin", "../share/vornikat"),
              (std::vector<fs::path>{"/nowhere/bin/data.bin", "/nowhere/share/vornikat/data.bin"}));
    // A program run from the player's own folder looks there once.
    Set("XDG_DATA_HOME", "/home/someone/.local/share");
    EXPECT_EQ(BankPlaces("/home/someone/.local/share/vornikat", "shipped"),
              (std::vector<fs::path>{"/home/someone/.local/share/vornikat/data.bin",
                                     "/home/someone/.local/share/vornikat/shipped/data.bin"}));
}

// Installed, the program's folder is the system's, and a player's bank has no place there.
TEST_F(BankLocation, AnInstalledProgramDoesNotLookInItsOwnFolder) {
    const fs::path prefix =
        fs::temp_directory_path() / ("vornikat-prefix-" + std::to_string(::getpid()));
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "vornikat" / "shipped");
    Set("XDG_DATA_HOME", "/data");
    const auto places = BankPlaces(prefix / "bin", "../share/vornikat/shipped");
    fs::remove_all(prefix);
    EXPECT_EQ(places, (std::vector<fs::path>{"/data/vornikat/data.bin",
                                             prefix / "share/vornikat/shipped/data.bin"}));
}

TEST_F(BankLocation, TheFirstPlaceWhereSomethingIsWins) {
    const fs::path folder =
        fs::temp_directory_path() / ("vornikat-banks-" + std::to_string(::getpid()));
    fs::create_directories(folder / "user");
    fs::create_directories(folder / "installed" / "data.bin");
    const std::vector<fs::path> places = {folder / "beside" / "data.bin",
                                          folder / "user" / "data.bin",
                                          folder / "installed" / "data.bin"};
    // A folder in the way is found, and then fails as a broken bank would.
    const fs::path installed = FindBank(places);
    // So is a link to a bank that is gone: the player meant that bank, not the shipped one.
    fs::create_symlink(folder / "unplugged.bin", folder / "user" / "data.bin");
    const fs::path dangling = FindBank(places);
    fs::remove(folder / "user" / "data.bin");
    std::ofstream(folder / "user" / "data.bin") << "bank";
    const fs::path user = FindBank(places);
    const fs::path none = FindBank({folder / "missing"});
    fs::remove_all(folder);
    EXPECT_EQ(installed, places[2]);
    EXPECT_EQ(dangling, places[1]);
    EXPECT_EQ(user, places[1]);
    EXPECT_EQ(none, fs::path());
}

}  // namespace
}  // namespace vornikat

namespace vornikat {
namespace {

// A name goes to the terminal whole and on one line: no byte of it may end the line, colour
// the terminal or move its cursor, and every byte stays told apart.
TEST(BankNames, AreQuotedWithEveryControlAndStrayByteEscaped) {
    EXPECT_EQ(QuoteForTerminal(""), "\"\"");
    EXPECT_EQ(QuoteForTerminal("мой банк.bin"), "\"мой банк.bin\"");
    EXPECT_EQ(QuoteForTerminal("a\nvornikat: b\tc\r"), "\"a\\nvornikat: b\\tc\\r\"");
    EXPECT_EQ(QuoteForTerminal("\x1b[31m\x7f\x01"), "\"\\x1b[31m\\x7f\\x01\"");
    EXPECT_EQ(QuoteForTerminal("say \"hi\" \\"), "\"say \\\"hi\\\" \\\\\"");
    // Bytes that are not UTF-8: a lone byte, a cut sequence, an overlong form, a surrogate.
    EXPECT_EQ(QuoteForTerminal("b\xff.bin"), "\"b\\xff.bin\"");
    EXPECT_EQ(QuoteForTerminal("\xd0"), "\"\\xd0\"");
    EXPECT_EQ(QuoteForTerminal("\xc0\xaf"), "\"\\xc0\\xaf\"");
    EXPECT_EQ(QuoteForTerminal("\xed\xa0\x80"), "\"\\xed\\xa0\\x80\"");
    // A C1 control written in UTF-8: some terminals take U+009B as the start of a command.
    EXPECT_EQ(QuoteForTerminal("\xc2\x9b"
                               "2J\xc2\xa0"),
              "\"\\u009b2J\xc2\xa0\"");
    // A line separator and a right-to-left override would break or reverse the rest of the
    // line; a letter beyond the first plane stays as it is.
    EXPECT_EQ(QuoteForTerminal("a\xe2\x80\xa8"
                               "b\xe2\x80\xae"
                               "c\xef\xbb\xbf\xf0\x9f\x98\x80"),
              "\"a\\u2028b\\u202ec\\ufeff\xf0\x9f\x98\x80\"");
    // The direction isolates U+2066..U+2069, at both ends of their range; the boxes and titles
    // take the same rule without the quotes.
    EXPECT_EQ(QuoteForTerminal("\xe2\x81\xa6x\xe2\x81\xa9"), "\"\\u2066x\\u2069\"");
    EXPECT_EQ(EscapeName("\xe2\x81\xa7\"a\\b\"\n"), "\\u2067\"a\\b\"\\n");
}

TEST(BankNames, TheFailureLinesNameTheBankOrEveryPlaceLookedAt) {
    EXPECT_EQ(UnreadableBankLine("vornikat", ""),
              "vornikat: the question bank \"\" cannot be read");
    EXPECT_EQ(NoBankLine("vornikat", {"/a/data.bin", "/b\n/data.bin"}),
              "vornikat: no question bank found; looked for \"/a/data.bin\", "
              "\"/b\\n/data.bin\"");
    EXPECT_EQ(NamedBankPath(""), fs::path());
    EXPECT_EQ(NamedBankPath("x.bin"), fs::current_path() / "x.bin");
}

}  // namespace
}  // namespace vornikat
