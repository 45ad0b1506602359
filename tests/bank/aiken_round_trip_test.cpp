// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "cp1251.hpp"
#include "file_source.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

// Every Windows-1251 character an Aiken line can carry: no control character, and no
// unassigned code.
std::u16string CarriableCharacters() {
    std::u16string all;
    for (int code = 0x20; code < 0x100; ++code) {
        const char16_t c = DecodeCp1251(static_cast<std::uint8_t>(code));
        if (c != 0x7F && (c < 0x80 || c > 0x9F)) {
            all += c;
        }
    }
    return all;
}

class RandomBanks {
  public:
    explicit RandomBanks(unsigned seed) : random_(seed) {}

    // No blank at either end; empty only where allowed.
    std::u16string Text(std::size_t maxLength, bool mayBeEmpty) {
        const std::size_t length = Below(maxLength + 1);
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += kCharacters[Below(kCharacters.size())];
        }
        while (!text.empty() && (text.front() == u' ' || text.back() == u' ')) {
            text.erase(text.front() == u' ' ? 0 : text.size() - 1, 1);
        }
        if ((text.empty() && !mayBeEmpty) || (!mayBeEmpty && LooksLikeAnswerLine(text))) {
            text = u"Q" + text;
        }
        return text;
    }

    std::vector<QuestionRecord> Bank(std::size_t count, std::size_t maxLength) {
        std::vector<QuestionRecord> records(count);
        for (auto& record : records) {
            record.question = Text(maxLength, false);
            for (auto& option : record.options) {
                // One option in four is empty.
                option = Below(4) == 0 ? u"" : Text(maxLength, true);
            }
            record.rightOption = static_cast<std::int16_t>(1 + Below(5));
        }
        return records;
    }

  private:
    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    const std::u16string kCharacters = CarriableCharacters();
    std::mt19937 random_;
};

std::vector<QuestionRecord> Load(const std::vector<std::uint8_t>& bytes) {
    MemorySource source(bytes);
    return ToRecords(ReadQuestionBank(source));
}

// dump, then build: the same bytes again.
void ExpectRoundTrip(const std::vector<QuestionRecord>& records) {
    const std::vector<std::uint8_t> bytes = WriteQuestionBank(records);
    const AikenText aiken = FormatAiken(Load(bytes));
    ASSERT_TRUE(aiken.problems.empty()) << aiken.problems.front();
    const AikenParse parsed = ParseAiken(aiken.text);
    ASSERT_TRUE(parsed.errors.empty())
        << parsed.errors.front().at.line << ": " << parsed.errors.front().message;
    std::vector<QuestionRecord> rebuilt;
    for (const auto& q : parsed.questions) {
        rebuilt.push_back(q.record);
    }
    EXPECT_TRUE(WriteQuestionBank(rebuilt) == bytes);
}

TEST(AikenRoundTrip, RandomBanksComeBackByteForByte) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        RandomBanks random(seed);
        ExpectRoundTrip(random.Bank(1 + seed * 10, 60));
    }
}

TEST(AikenRoundTrip, EveryCarriableCharacterAndTheLongestTextsComeBack) {
    const std::u16string all = CarriableCharacters();
    ASSERT_EQ(all.size(), 222U);
    QuestionRecord record{
        u"Q " + all, {u"[" + all + u"]", u"", std::u16string(32766, u'Ж'), u"", u"x"}, 3};
    record.question += std::u16string(32766 - record.question.size(), u'я');
    ExpectRoundTrip({record});
}

TEST(AikenRoundTrip, TheLargestBankComesBack) {
    RandomBanks random(32767);
    ExpectRoundTrip(random.Bank(32767, 8));
}

TEST(AikenRoundTrip, WhatAikenCannotExpressIsNamedNotWritten) {
    const auto problems = [](QuestionRecord record) {
        return FormatAiken(std::vector<QuestionRecord>{{u"Fine", {}, 1}, record}).problems;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(problems({u"", {u"a"}, 1}),
              Lines{"question 2: the question text \"\" is empty, and Aiken has no empty question "
                    "line"});
    EXPECT_EQ(problems({u" Вопрос", {}, 1}),
              Lines{"question 2: the question text \" Вопрос\" starts with a blank, which Aiken "
                    "drops"});
    EXPECT_EQ(problems({u"ANSWER: B", {}, 1}),
              Lines{"question 2: the question text \"ANSWER: B\" would be read back as an ANSWER "
                    "line"});
    EXPECT_EQ(problems({u"Q", {u"", u"a\r\nb", u"", u"c ", u""}, 1}),
              (Lines{"question 2 (\"Q\"): option B \"a\\u000D\\u000Ab\" holds a control character "
                     "(\"\\u000D\"), which an Aiken line cannot carry",
                     "question 2 (\"Q\"): option D \"c \" ends with a blank, which Aiken drops"}));
    EXPECT_EQ(problems({u"Q\u0098", {}, 6}),
              (Lines{"question 2: the question text \"Q\\u0098\" holds a control character "
                     "(\"\\u0098\"), which an Aiken line cannot carry",
                     "question 2 (\"Q\\u0098\"): the right option is 6, and Aiken can only name "
                     "options 1 to 5 (A to E)"}));
    EXPECT_EQ(problems({u"Q", {}, 0}).size(), 1U);
    EXPECT_TRUE(FormatAiken(std::vector<QuestionRecord>{{u"", {}, 0}}).text.empty());
}

}  // namespace
}  // namespace vornikat::bank
