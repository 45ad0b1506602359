// SPDX-License-Identifier: MIT
// The one way into a bank's source: its form told by name or content, any encoding, and what
// keeps a draft from data.bin said at its place.
#include <gtest/gtest.h>

#include "bank_source.hpp"
#include "cp1251.hpp"
#include "draft_check.hpp"
#include "draft_summary.hpp"

namespace vornikat::bank {
namespace {

const std::string kAiken = "Вопрос?\nA) a\nB) b\nC) c\nD) d\nE) e\nОТВЕТ: A\n";

TEST(BankSource, TellsTheFormByExtensionThenByContent) {
    const struct {
        std::string name;
        std::string bytes;
        SourceFormat format;
    } cases[] = {
        {"q.gift", kAiken, SourceFormat::Gift},
        {"Q.XML", "", SourceFormat::MoodleXml},
        {"dir.csv/q.Csv", "", SourceFormat::Csv},
        {"q.txt", kAiken, SourceFormat::Aiken},
        {"q", "Вопрос?\nA) a, b, c, d\nanswer : B\n", SourceFormat::Aiken},
        {"q.txt", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<quiz></quiz>", SourceFormat::MoodleXml},
        {"q.txt", "// тема\n::Т::Вопрос {=a ~b}", SourceFormat::Gift},
        {"q.txt", "Вопрос{\n=a\n~b\n}", SourceFormat::Gift},
        {"export.txt", "Вопрос;a;b;c;d;e;1\n", SourceFormat::Csv},
        {"dir.csv/q", "Просто текст\n", SourceFormat::Aiken},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectSourceFormat(c.name, c.bytes), c.format) << c.name << " " << c.bytes;
    }
}

TEST(BankSource, ReadsEveryFormInAnyEncodingIntoOneDraft) {
    const std::string expected = "1:1 Вопрос? | a | b | c | d | e | 1\n";
    const std::string csv = *EncodeCp1251(u"Вопрос?;a;b;c;d;e;А\r\n");
    std::string gift = "\xFF\xFE";
    for (const char16_t c : std::u16string(u"Вопрос? {=a ~b ~c ~d ~e}\r\n")) {
        gift += static_cast<char>(c & 0xFF);
        gift += static_cast<char>(c >> 8);
    }
    EXPECT_EQ(testing::Summary(ReadBankSource(csv, SourceFormat::Csv)), expected);
    EXPECT_EQ(testing::Summary(ReadBankSource(gift, SourceFormat::Gift)), expected);
    EXPECT_EQ(testing::Summary(ReadBankSource("Вопрос?\nA) a\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n",
                                              SourceFormat::Aiken)),
              expected);
}

TEST(BankSource, SaysWhatKeepsADraftFromDataBinAtItsQuestion) {
    const struct {
        std::string csv;
        std::vector<std::string> messages;
    } cases[] = {
        {"Q;a;b;c;d;e;1\n", {}},
        {"Q;a;b;c;d;1\nQ;a;b;c;d;e;f;1\n",
         {"1:1 this question has 4 options; the quiz asks five",
          "2:1 this question has 6 options; the quiz asks five"}},
        {"Q;a;b;c;d;e;\nQ;a;b;c;d;e;f;6\n",
         {"1:1 this question names no right option",
          "2:1 this question has 6 options; the quiz asks five",
          "2:1 the right option is number 6; the quiz takes one of 1 to 5"}},
        {"Q→;a;b;c;d;e;1\n",
         {"1:1 \"→\" (U+2192) in the question is not a Windows-1251 character; replace it"}},
        {"", {"1:1 no question to ask came in; a bank needs at least one"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> messages;
        for (const auto& error : FindDraftErrors(ReadBankSource(c.csv, SourceFormat::Csv)).errors) {
            messages.push_back(std::to_string(error.at.line) + ":" +
                               std::to_string(error.at.column) + " " + error.message);
        }
        EXPECT_EQ(messages, c.messages) << c.csv;
    }
}

}  // namespace
}  // namespace vornikat::bank
