// SPDX-License-Identifier: MIT
// The bank tool's text for a console, under Wine: UTF-8 written in pieces comes out as UTF-16
// of whole characters, however the pieces cut them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "console_session.hpp"

namespace vornikat::banktool {
namespace {

TEST(Utf16Output, WritesWholeCharactersHoweverTheBytesAreCut) {
    const struct {
        std::vector<std::string> pieces;
        std::wstring shown;
    } cases[] = {
        {{"ошибка: строка 3\n"}, L"ошибка: строка 3\n"},
        {{"\xD0", "\xBE"}, L"о"},
        {{"Нажмите\xE2", "\x80", "\xA6"}, L"Нажмите…"},
        {{"\xF0\x9F", "\x98\x80!"}, L"\U0001F600!"},
        {{"a\xFF", "b"}, L"a\uFFFDb"},
        {{"конец\xD0"}, L"конец\uFFFD"},
    };
    for (const auto& c : cases) {
        std::wstring shown;
        {
            Utf16Output output([&shown](std::wstring_view text) {
                shown += text;
                return true;
            });
            std::ostream stream(&output);
            for (const std::string& piece : c.pieces) {
                stream << piece << std::flush;
            }
        }
        EXPECT_EQ(shown, c.shown) << c.pieces.front();
    }
}

}  // namespace
}  // namespace vornikat::banktool
