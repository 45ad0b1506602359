// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "file_registry.hpp"
#include "script_runner.hpp"

namespace vornikat {
namespace {

using testing::TempDir;
using Bytes = std::vector<std::uint8_t>;
using namespace std::string_literals;

Bytes B(std::string_view text) {
    return {text.begin(), text.end()};
}

class RegistryFileTest : public ::testing::Test {
  protected:
    std::string Contents() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Put(const std::string& text) const {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Sets a value under HKEY_LOCAL_MACHINE through a registry of its own.
    long Set(std::string_view path, std::string_view name, std::uint32_t type, const Bytes& data) {
        return FileRegistry(file, notices)
            .WriteValue(RegRoot::LocalMachine, path, name, {type, data});
    }

    RegRead Get(std::string_view path, std::string_view name,
                RegRoot root = RegRoot::LocalMachine) const {
        return FileRegistry(file, notices).ReadValue(root, path, name);
    }

    bool KeyExists(std::string_view path, RegRoot root = RegRoot::LocalMachine) const {
        return FileRegistry(file, notices).ProbeKey(root, path) == reg::kSuccess;
    }

    TempDir dir;
    std::filesystem::path file = dir.Path() / "store" / "registry.reg";
    mutable std::ostringstream notices;
};

TEST_F(RegistryFileTest, ValuesComeBackByteForByteInTheirReadableForm) {
    const struct {
        std::uint32_t type;
        Bytes data;
        std::string line;
    } cases[] = {
        {reg::kSz, B(" 33\0"s), "\"v\"=\" 33\""},
        // Windows-1251 text, written as UTF-8 with its quote and backslash escaped.
        {reg::kSz, B("\xCF\xF0\xE8\xE2\xE5\xF2 \"\xEC\xE8\xF0\" \\ \0"s),
         "\"v\"=\"Привет \\\"мир\\\" \\\\ \""},
        {reg::kSz, B("33"), "\"v\"=hex(1):33,33"},
        {reg::kSz, B("33\0x\0"s), "\"v\"=hex(1):33,33,00,78,00"},
        {reg::kSz, B("a\rb\0"s), "\"v\"=hex(1):61,0d,62,00"},
        {reg::kSz, {}, "\"v\"=hex(1):"},
        {reg::kSz, {0xC0, 0x98, 0xFF, 0x00}, "\"v\"=hex(1):c0,98,ff,00"},
        {reg::kDword, {0x2A, 0, 0, 0}, "\"v\"=dword:0000002a"},
        {reg::kDword, {1, 2}, "\"v\"=hex(4):01,02"},
        {reg::kBinary, {0xDE, 0xAD}, "\"v\"=hex:de,ad"},
        {0x12345678, {7}, "\"v\"=hex(12345678):07"},
        {reg::kBinary, Bytes(200, 0xAB), ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Set("Software\\Vornikat", "v", c.type, c.data), reg::kSuccess);
        const RegRead read = Get("Software\\Vornikat", "v");
        EXPECT_EQ(read.result, reg::kSuccess);
        EXPECT_EQ(read.value.type, c.type);
        EXPECT_EQ(read.value.data, c.data) << c.line;
        if (!c.line.empty()) {
            EXPECT_NE(Contents().find("\n" + c.line + "\n"), std::string::npos) << Contents();
        }
    }
    // A long list goes on over lines, each short enough to read.
    std::istringstream lines(Contents());
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80U);
    }
}

TEST_F(RegistryFileTest, KeysAndNamesAreFoundInAnyCaseAndRootsAlwaysExist) {
    EXPECT_TRUE(KeyExists("Software"));
    EXPECT_TRUE(KeyExists("SOFTWARE", RegRoot::CurrentUser));
    EXPECT_FALSE(KeyExists("Software\\Vornikat"));
    EXPECT_FALSE(std::filesystem::exists(file));

    Put("Windows Registry Editor Version 5.00\n\n[hkey_local_machine\\SOFTWARE\\Deep\\Key]\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Ключ]\n\"Имя\"=\"x\"\n");
    EXPECT_TRUE(KeyExists("Software\\deep"));
    EXPECT_TRUE(KeyExists("software\\DEEP\\key"));
    EXPECT_FALSE(KeyExists("Software\\Dee"));
    const std::string key = "Software\\\xCA\xEB\xFE\xF7";       // Ключ
    EXPECT_EQ(Get(key, "\xC8\xCC\xDF").value.data, B("x\0"s));  // ИМЯ

    // A key found in another spelling gets its value in the section that is there.
    ASSERT_EQ(Set("SOFTWARE\\DEEP\\KEY", "n", reg::kDword, {1, 0, 0, 0}), reg::kSuccess);
    EXPECT_NE(Contents().find("[hkey_local_machine\\SOFTWARE\\Deep\\Key]\n\"n\"=dword:00000001\n"),
              std::string::npos);
    EXPECT_EQ(Contents().find("DEEP"), std::string::npos);
}

TEST_F(RegistryFileTest, WritingKeepsEveryLineItDoesNotOwn) {
    const std::string head =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
        "; written by hand\r\n\r\n"
        "[HKEY_CLASSES_ROOT\\.vrn]\r\n@=\"Vornikat.File\"\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\r\n"
        "\"Other\"=hex(2):25,00,\\\r\n  41,00\r\n"
        "\"Broken\"=dword:xyz\r\n"
        "\"Gone\"=-\r\n"
        "\"Open\"=\"never closed\r\n"
        "\"LastScore\"=\" 12\"\r\n";
    const std::string tail =
        "\"After\"=\"a\"\r\n\r\n[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\"x\"=\"y\"\r\n"
        "\"Tail\"=hex:01,\\\r\n";
    Put(head + tail);
    EXPECT_EQ(Get("Software\\Vornikat", "Other").value.data, (Bytes{0x25, 0, 0x41, 0}));
    EXPECT_EQ(Get("Software\\Vornikat", "Broken").result, reg::kNotFound);

    ASSERT_EQ(Set("Software\\Vornikat", "LastScore", reg::kSz, B(" 99\0"s)), reg::kSuccess);
    std::string expected = head + tail;
    expected.replace(expected.find("\" 12\""), 5, "\" 99\"");
    EXPECT_EQ(Contents(), expected);

    ASSERT_EQ(Set("Software\\Vornikat", "New", reg::kSz, B("n\0"s)), reg::kSuccess);
    ASSERT_EQ(Set("Software\\Vornikat\\Sub", "s", reg::kSz, B("s\0"s)), reg::kSuccess);
    expected.insert(expected.find("\"After\"=\"a\"\r\n") + 13, "\"New\"=\"n\"\r\n");
    expected += "\r\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat\\Sub]\r\n\"s\"=\"s\"\r\n";
    EXPECT_EQ(Contents(), expected);
    EXPECT_EQ(Get("Software\\Vornikat", "LastScore").value.data, B(" 99\0"s));
}

TEST_F(RegistryFileTest, ExportsInEveryAcceptedFormRead) {
    const std::string body = "[HKEY_CURRENT_USER\\Software\\Vornikat]\r\n\"LastScore\"=\" 42\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : "Windows Registry Editor Version 5.00\r\n\r\n" + body) {
        utf16 += c;
        utf16 += '\0';
    }
    for (const std::string& text : {utf16, "\xEF\xBB\xBFREGEDIT4\r\n\r\n" + body,
                                    "Windows Registry Editor Version 5.00  \n" + body}) {
        Put(text);
        EXPECT_EQ(Get("Software\\Vornikat", "LastScore", RegRoot::CurrentUser).value.data,
                  B(" 42\0"s));
    }
    // A UTF-16 file is written back as UTF-8, its contents kept.
    Put(utf16);
    ASSERT_EQ(Set("Software\\Vornikat", "LastScore", reg::kSz, B(" 7\0"s)), reg::kSuccess);
    EXPECT_EQ(Contents(),
              "Windows Registry Editor Version 5.00\r\n\r\n" + body +
                  "\r\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\r\n\"LastScore\"=\" 7\"\r\n");
}

TEST_F(RegistryFileTest, AnOldExportInWindows1251KeepsItsValuesAndIsWrittenBackAsUtf8) {
    // [HKEY_CURRENT_USER\Software\Ключ] "Имя"="Текст", as regedit writes it under REGEDIT4.
    Put("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\\xCA\xEB\xFE\xF7]\r\n"
        "\"\xC8\xEC\xFF\"=\"\xD2\xE5\xEA\xF1\xF2\"\r\n");
    const std::string key = "Software\\\xCA\xEB\xFE\xF7";
    EXPECT_EQ(Get(key, "\xC8\xEC\xFF", RegRoot::CurrentUser).value.data,
              B("\xD2\xE5\xEA\xF1\xF2\0"s));

    ASSERT_EQ(Set("Software\\Vornikat", "LastScore", reg::kSz, B(" 5\0"s)), reg::kSuccess);
    EXPECT_EQ(Contents(),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ключ]\r\n"
              "\"Имя\"=\"Текст\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\r\n"
              "\"LastScore\"=\" 5\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".unreadable"));
}

TEST_F(RegistryFileTest, ARegistryKeptOpenSeesWhatOthersWrite) {
    FileRegistry registry(file, notices);
    EXPECT_EQ(registry.ReadValue(RegRoot::LocalMachine, "Software", "v").result, reg::kNotFound);
    ASSERT_EQ(Set("Software", "v", reg::kSz, B("first\0"s)), reg::kSuccess);
    EXPECT_EQ(registry.ReadValue(RegRoot::LocalMachine, "Software", "v").value.data, B("first\0"s));

    // Its own change merges into what another copy wrote in the meantime.
    ASSERT_EQ(Set("Software", "w", reg::kSz, B("second\0"s)), reg::kSuccess);
    ASSERT_EQ(
        registry.WriteValue(RegRoot::LocalMachine, "Software", "v", {reg::kSz, B("third\0"s)}),
        reg::kSuccess);
    EXPECT_EQ(Get("Software", "w").value.data, B("second\0"s));
    EXPECT_EQ(Get("Software", "v").value.data, B("third\0"s));
}

TEST_F(RegistryFileTest, AFileRewrittenInPlaceIsReadAgain) {
    const std::string header =
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n";
    Put(header + "\"LastScore\"=\" 5\"\n");
    FileRegistry registry(file, notices);
    EXPECT_EQ(
        registry.ReadValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore").value.data,
        B(" 5\0"s));
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    // Same inode, another size and time, as an editor that saves in place leaves it.
    std::ofstream(file, std::ios::binary | std::ios::in | std::ios::trunc)
        << header << "\"LastScore\"=\" 100\"\n";
    std::filesystem::last_write_time(
        file, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(
        registry.ReadValue(RegRoot::LocalMachine, "Software\\Vornikat", "LastScore").value.data,
        B(" 100\0"s));
}

TEST_F(RegistryFileTest, AFileThatIsNoRegistryIsSetAsideBeforeTheFirstWrite) {
    const std::string kinds[] = {
        "LastScore=33\n",
        "Windows Registry Editor Version 5.00\n\"a\"=\"\0\"\n"s,
        "Windows Registry Editor Version 5.00\n\"a\"=\"\xC0\"\n",
        "\xFF\xFE\x57\x00\x00",
        "\n",
    };
    int n = 0;
    for (const std::string& kind : kinds) {
        Put(kind);
        EXPECT_FALSE(KeyExists("Software\\Vornikat"));
        EXPECT_EQ(Contents(), kind);  // reading changes nothing

        ASSERT_EQ(Set("Software\\Vornikat", "LastScore", reg::kSz, B(" 1\0"s)), reg::kSuccess);
        EXPECT_EQ(Get("Software\\Vornikat", "LastScore").value.data, B(" 1\0"s));
        std::filesystem::path aside = file;
        aside += ++n == 1 ? ".unreadable" : ".unreadable." + std::to_string(n);
        std::ifstream in(aside, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kind);
        EXPECT_NE(notices.str().find(aside.string()), std::string::npos);
    }
}

TEST_F(RegistryFileTest, WhatCannotBeReadOrWrittenFailsWithoutHarm) {
    // A folder or a pipe where the file should be: reads are empty, writes fail, nothing waits.
    std::filesystem::create_directories(file);
    EXPECT_TRUE(KeyExists("Software"));
    EXPECT_EQ(Set("Software\\Vornikat", "v", reg::kSz, B("x\0"s)), reg::kAccessDenied);
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_FALSE(KeyExists("Software\\Vornikat"));
    EXPECT_EQ(Set("Software\\Vornikat", "v", reg::kSz, B("x\0"s)), reg::kAccessDenied);
    EXPECT_TRUE(std::filesystem::is_fifo(file));
    std::filesystem::remove(file);

    FileRegistry registry(file, notices);
    EXPECT_EQ(registry.WriteValue(RegRoot::LocalMachine, "Software\\a\nb", "v", {reg::kSz, {}}),
              reg::kInvalidParameter);
    EXPECT_EQ(registry.WriteValue(RegRoot::LocalMachine, "Software", "a\tb", {reg::kSz, {}}),
              reg::kInvalidParameter);
    EXPECT_FALSE(std::filesystem::exists(file));

    // A value is read whole, however large.
    ASSERT_EQ(Set("Software", "big", reg::kBinary, Bytes(400, 1)), reg::kSuccess);
    EXPECT_EQ(registry.ReadValue(RegRoot::LocalMachine, "Software", "big").value.data,
              Bytes(400, 1));
}

}  // namespace
}  // namespace vornikat
