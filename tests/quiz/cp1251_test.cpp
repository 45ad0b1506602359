// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <optional>

#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

// The system's own converter from code page 1251: the C library's iconv, or the code page table
// of Windows.
class SystemConverter {
  public:
#ifdef _WIN32
    bool IsOpen() const {
        return true;
    }
#else
    SystemConverter() : cd_(iconv_open("UTF-16LE", "CP1251")) {}
    ~SystemConverter() {
        if (IsOpen()) {
            iconv_close(cd_);
        }
    }
    SystemConverter(const SystemConverter&) = delete;
    SystemConverter& operator=(const SystemConverter&) = delete;

    bool IsOpen() const {
        return cd_ != reinterpret_cast<iconv_t>(-1);
    }
#endif

    // The character of one code; nullopt when the system has none for it.
    std::optional<char16_t> Decode(int code) const {
        const char in = static_cast<char>(code);
#ifdef _WIN32
        wchar_t out = 0;
        if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1) {
            return std::nullopt;
        }
        return static_cast<char16_t>(out);
#else
        char inCopy = in;
        char out[4] = {};
        char* inp = &inCopy;
        char* outp = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                     (static_cast<unsigned char>(out[1]) << 8));
#endif
    }

#ifndef _WIN32
  private:
    iconv_t cd_;
#endif
};

// The table is checked against the system's own converter, code by code.
TEST(Cp1251, EveryCodeMatchesTheSystemConverter) {
    const SystemConverter system;
    ASSERT_TRUE(system.IsOpen()) << "no converter from CP1251";
    for (int code = 0; code < 256; ++code) {
        if (code == 0x98) {
            continue;  // no character in the code page; ours is checked below
        }
        const auto expected = system.Decode(code);
        ASSERT_TRUE(expected.has_value()) << code;
        EXPECT_EQ(DecodeCp1251(static_cast<std::uint8_t>(code)), *expected) << code;
    }
    EXPECT_EQ(DecodeCp1251(std::uint8_t{0x98}), u'\u0098');
}

TEST(Cp1251, AllCodesRoundTripAndOthersAreRefused) {
    for (int code = 0; code < 256; ++code) {
        const auto back = EncodeCp1251(DecodeCp1251(static_cast<std::uint8_t>(code)));
        ASSERT_TRUE(back.has_value()) << code;
        EXPECT_EQ(*back, code);
    }
    EXPECT_FALSE(EncodeCp1251(u'\u00E9').has_value());
    EXPECT_EQ(EncodeCp1251(std::u16string_view(u"Да")), std::string("\xC4\xE0"));
    EXPECT_FALSE(EncodeCp1251(std::u16string_view(u"caf\u00E9")).has_value());
    EXPECT_EQ(ToUtf8(DecodeCp1251(std::string_view("\xA8\xB8\xB9"))), "Ёё№");
}

TEST(Utf8, RoundTripsAndReplacesMalformedBytes) {
    const std::u16string text = u"Ворникат \U0001F600 «ok»";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xD0"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
}

TEST(ButtonCaption, EveryAmpersandIsDoubledAndNothingElseChanges) {
    EXPECT_EQ(EscapeAccessKeys(u"Tom & Jerry"), u"Tom && Jerry");
    EXPECT_EQ(EscapeAccessKeys(u"&&&"), u"&&&&&&");
    EXPECT_EQ(EscapeAccessKeys(u"Ворникат"), u"Ворникат");
    EXPECT_EQ(EscapeAccessKeys(u""), u"");
}

}  // namespace
}  // namespace vornikat
