#include <gtest/gtest.h>

#include <iconv.h>

#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

// The table is checked against the C library's own converter, code by code.
TEST(Cp1251, EveryCodeMatchesTheSystemConverter) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int code = 0; code < 256; ++code) {
        if (code == 0x98) {
            continue;  // no character in the code page; ours is checked below
        }
        char in = static_cast<char>(code);
        char out[4] = {};
        char* inp = &in;
        char* outp = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inp, &inLeft, &outp, &outLeft), static_cast<std::size_t>(-1)) << code;
        const auto expected = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                    (static_cast<unsigned char>(out[1]) << 8));
        EXPECT_EQ(DecodeCp1251(static_cast<std::uint8_t>(code)), expected) << code;
    }
    iconv_close(cd);
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
