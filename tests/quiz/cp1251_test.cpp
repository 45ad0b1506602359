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

// The system's own converter for one code: the C library's iconv, or the code page table of
// Windows. nullopt when it has no character for the code.
std::optional<char16_t> DecodeBySystem(int code) {
    const char in = static_cast<char>(code);
#ifdef _WIN32
    wchar_t out = 0;
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1) {
        return std::nullopt;
    }
    return static_cast<char16_t>(out);
#else
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    char inCopy = in;
    char out[4] = {};
    char* inp = &inCopy;
    char* outp = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const bool converted =
        iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!converted) {
        return std::nullopt;
    }
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                 (static_cast<unsigned char>(out[1]) << 8));
#endif
}

// The table is checked against the system's own converter, code by code.
TEST(Cp1251, EveryCodeMatchesTheSystemConverter) {
    for (int code = 0; code < 256; ++code) {
        if (code == 0x98) {
            continue;  // no character in the code page; ours is checked below
        }
        const auto expected = DecodeBySystem(code);
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

}  // namespace
}  // namespace vornikat
