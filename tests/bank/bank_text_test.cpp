// SPDX-License-Identifier: MIT
// The same text in every form an author's editor saves it: each decodes to the same UTF-8,
// and says which form it came in.
#include <gtest/gtest.h>

#include <string>

#include "bank_text.hpp"
#include "cp1251.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

const std::u16string kText = u"Что такое «ОЗУ»?\nA) Память\nB) Ёж\nANSWER: A\n";

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string Cp1251(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes += static_cast<char>(*EncodeCp1251(c));
    }
    return bytes;
}

std::u16string WithLineEnds(std::u16string text, std::u16string_view end) {
    std::u16string out;
    for (const char16_t c : text) {
        out += c == u'\n' ? std::u16string(end) : std::u16string(1, c);
    }
    return out;
}

TEST(BankText, EveryEncodingAndLineEndDecodesToTheSameText) {
    const std::string expected = ToUtf8(kText);
    const struct {
        std::string bytes;
        TextEncoding encoding;
        LineEnds ends;
    } cases[] = {
        {expected, TextEncoding::Utf8, LineEnds::Lf},
        {"\xEF\xBB\xBF" + ToUtf8(WithLineEnds(kText, u"\r\n")), TextEncoding::Utf8WithMark,
         LineEnds::CrLf},
        {Utf16(WithLineEnds(kText, u"\r\n"), false), TextEncoding::Utf16LittleEndian,
         LineEnds::CrLf},
        {Utf16(kText, true), TextEncoding::Utf16BigEndian, LineEnds::Lf},
        {Cp1251(WithLineEnds(kText, u"\r\n")), TextEncoding::Windows1251, LineEnds::CrLf},
        {Cp1251(WithLineEnds(kText, u"\r")), TextEncoding::Windows1251, LineEnds::Cr},
        {ToUtf8(WithLineEnds(kText, u"\r")), TextEncoding::Utf8, LineEnds::Cr},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = DecodeBankText(c.bytes);
        EXPECT_EQ(decoded.utf8, expected) << static_cast<int>(c.encoding);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.lineEnds, c.ends) << static_cast<int>(c.encoding);
        // And back: a save keeps the form the file came in, byte for byte.
        const EncodedText encoded = EncodeBankText(decoded.utf8, c.encoding, c.ends);
        EXPECT_EQ(encoded.bytes, c.bytes) << static_cast<int>(c.encoding);
        EXPECT_EQ(encoded.missing, 0U);
    }
    // A lone surrogate and an odd last byte of UTF-16 read as replacement characters.
    EXPECT_EQ(DecodeBankText(std::string("\xFF\xFE\x00\xD8\x41\x00\x42", 7)).utf8,
              "\xEF\xBF\xBD"
              "A\xEF\xBF\xBD");
}

// Windows-1251 has no code for such a letter: nothing is written rather than the letter lost.
TEST(BankText, ALetterOutsideWindows1251IsNamedAndNothingEncoded) {
    for (const auto& [text, missing] : {std::pair{"Ёж → \xF0\x9F\x98\x80", U'→'},
                                        std::pair{"Ёж \xF0\x9F\x98\x80", U'\U0001F600'}}) {
        const EncodedText encoded = EncodeBankText(text, TextEncoding::Windows1251, LineEnds::Lf);
        EXPECT_EQ(encoded.missing, missing);
        EXPECT_TRUE(encoded.bytes.empty());
        EXPECT_EQ(EncodeBankText(text, TextEncoding::Utf8, LineEnds::Lf).bytes, text);
    }
}

}  // namespace
}  // namespace vornikat::bank
