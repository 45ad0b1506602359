// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "arithmetic.hpp"
#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "cp1251.hpp"
#include "file_source.hpp"

namespace vornikat {
namespace {

std::vector<std::uint8_t> Units(std::initializer_list<int> units) {
    std::vector<std::uint8_t> bytes;
    for (const int u : units) {
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((u >> 8) & 0xFF));
    }
    return bytes;
}

// The editor's reader, record by record, must load and fail exactly as the quiz's does.
void ExpectTheRecordsReaderAgrees(const std::vector<std::uint8_t>& bytes,
                                  const std::vector<QuestionRecord>* loaded,
                                  const BankReadError* failure) {
    MemorySource source(bytes);
    try {
        const std::vector<QuestionRecord> records = ReadQuestionRecords(source);
        ASSERT_NE(loaded, nullptr) << "the records reader loaded what the quiz refuses";
        ASSERT_EQ(records.size(), loaded->size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].question, (*loaded)[i].question) << i;
            EXPECT_EQ(records[i].options, (*loaded)[i].options) << i;
            EXPECT_EQ(records[i].rightOption, (*loaded)[i].rightOption) << i;
        }
    } catch (const BankReadError& error) {
        ASSERT_NE(failure, nullptr) << "the records reader refused what the quiz loads";
        EXPECT_EQ(error.Number(), failure->Number());
        EXPECT_EQ(error.Offset(), failure->Offset());
    }
}

QuestionBank Read(const std::vector<std::uint8_t>& bytes, BankReadInfo* info = nullptr) {
    MemorySource source(bytes);
    try {
        QuestionBank bank = ReadQuestionBank(source, info);
        const auto records = ToRecords(bank);
        ExpectTheRecordsReaderAgrees(bytes, &records, nullptr);
        return bank;
    } catch (const BankReadError& error) {
        ExpectTheRecordsReaderAgrees(bytes, nullptr, &error);
        throw;
    }
}

int FailureNumber(const std::vector<std::uint8_t>& bytes) {
    try {
        Read(bytes);
    } catch (const BankReadError& error) {
        return error.Number();
    }
    return 0;
}

const std::vector<std::uint8_t> kExample = {
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x2A, 0x28, 0x94, 0x28, 0xFE, 0x28, 0x01, 0x00,
    0x00, 0x00, 0xE0, 0x01, 0xE4, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10, 0x03, 0x80, 0x03,
    0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xEA, 0x00};

// One question with an option record built from the given units, everything else empty.
std::vector<std::uint8_t> BankWithOption(std::initializer_list<int> optionRecord,
                                         int rightUnit = 78) {
    auto bytes = Units({0, -1, 0});
    const auto option = Units(optionRecord);
    bytes.insert(bytes.end(), option.begin(), option.end());
    for (int i = 0; i < 4; ++i) {
        const auto empty = Units({-1, 0});
        bytes.insert(bytes.end(), empty.begin(), empty.end());
    }
    const auto right = Units({rightUnit});
    bytes.insert(bytes.end(), right.begin(), right.end());
    return bytes;
}

TEST(BankReader, ReadsTheWorkedExample) {
    const QuestionBank bank = Read(kExample);
    EXPECT_EQ(bank.QuestionMax, 0);
    EXPECT_EQ(bank.Questions.At(0), u"abc");
    EXPECT_EQ(bank.Answers1.At(0), u"xy");
    EXPECT_EQ(bank.Answers2.At(0), u"Да");
    EXPECT_EQ(bank.Answers3.At(0), u"");
    EXPECT_EQ(bank.Answers5.At(0), u"");
    EXPECT_EQ(bank.RightAnswer.At(0), 3);
}

// Three questions, each text and right option its own, so that both readers must put every
// text of every record in its place.
TEST(BankReader, ReadsEveryRecordOfABankInItsPlace) {
    std::vector<QuestionRecord> written;
    for (char16_t k = 0; k < 3; ++k) {
        const std::u16string n(1, static_cast<char16_t>(u'1' + k));
        written.push_back({u"Вопрос " + n,
                           {u"А" + n, u"Б" + n, u"В" + n, u"Г" + n, k == 1 ? u"" : u"Д" + n},
                           static_cast<std::int16_t>(k + 1)});
    }
    const auto read = ToRecords(Read(WriteQuestionBank(written)));
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].question, written[i].question) << i;
        EXPECT_EQ(read[i].options, written[i].options) << i;
        EXPECT_EQ(read[i].rightOption, written[i].rightOption) << i;
    }
}

TEST(BankWriter, WritesTheWorkedExampleByteForByte) {
    const QuestionRecord record{u"abc", {u"xy", u"Да", u"", u"", u""}, 3};
    EXPECT_EQ(WriteQuestionBank(std::span(&record, 1)), kExample);
}

TEST(BankWriter, RefusesWhatNoBankCanHold) {
    EXPECT_THROW(WriteQuestionBank({}), BankWriteError);
    const QuestionRecord foreign{u"caf\u00E9", {}, 1};
    EXPECT_THROW(WriteQuestionBank(std::span(&foreign, 1)), BankWriteError);
    const QuestionRecord tooLong{std::u16string(32767, u'x'), {}, 1};
    EXPECT_THROW(WriteQuestionBank(std::span(&tooLong, 1)), BankWriteError);
}

TEST(BankReader, RoundTripsTheLongestTextAndEveryCode) {
    QuestionRecord record;
    record.question = std::u16string(32766, u'Я');
    for (int code = 0; code < 256; ++code) {
        record.options[0] += DecodeCp1251(static_cast<std::uint8_t>(code));
    }
    record.rightOption = 5;
    const QuestionBank bank = Read(WriteQuestionBank(std::span(&record, 1)));
    EXPECT_EQ(bank.Questions.At(0), record.question);
    EXPECT_EQ(bank.Answers1.At(0), record.options[0]);
    EXPECT_EQ(bank.RightAnswer.At(0), 5);
}

TEST(BankReader, ShortRecordsGiveEmptyTextsAndReadNoUnits) {
    // L = -2 reads nothing, so the next record starts right after its length field.
    const QuestionBank bank = Read(BankWithOption({-2}));
    EXPECT_EQ(bank.Answers1.At(0), u"");
    EXPECT_EQ(bank.Answers2.At(0), u"");
    EXPECT_EQ(bank.RightAnswer.At(0), 1);
    EXPECT_EQ(Read(BankWithOption({-32768})).Answers1.At(0), u"");
}

TEST(BankReader, RoundsInexactUnitsHalfToEven) {
    BankReadInfo info;
    const QuestionBank bank = Read(BankWithOption({2, 0, 6, 10, 14}, 117), &info);
    EXPECT_EQ(bank.Answers1.At(0), (std::u16string{2, 2, 4}));
    EXPECT_EQ(bank.RightAnswer.At(0), 2);
    EXPECT_EQ(Read(BankWithOption({-1, 0}, 195)).RightAnswer.At(0), 2);
    EXPECT_EQ(info.inexactUnits, 4U);
    // -2..2 all give code 0, a NUL in the text.
    EXPECT_EQ(Read(BankWithOption({4, 0, -2, -1, 1, 2, 0})).Answers1.At(0), std::u16string(5, 0));
}

TEST(BankReader, RightOptionsLoadWithoutASenseCheck) {
    EXPECT_EQ(Read(BankWithOption({-1, 0}, 0)).RightAnswer.At(0), 0);
    EXPECT_EQ(Read(BankWithOption({-1, 0}, 6 * 78)).RightAnswer.At(0), 6);
}

TEST(BankReader, FailsOnBadHeadersLengthsAndCodes) {
    EXPECT_NE(FailureNumber(Units({-1})), 0);
    EXPECT_NE(FailureNumber(Units({-32768})), 0);
    EXPECT_EQ(FailureNumber(BankWithOption({32766})), err::kOverflow);
    EXPECT_EQ(FailureNumber(BankWithOption({32767})), err::kOverflow);
    // -3 / 4 gives -1: outside 0..255.
    EXPECT_EQ(FailureNumber(BankWithOption({0, 0, -3})), err::kInvalidCall);
    // 27083 / 106 = 255.5 goes to 256, even in the unit that is thrown away.
    auto badFirst = Units({0, 0, 27083});
    EXPECT_EQ(FailureNumber(badFirst), err::kInvalidCall);
    EXPECT_EQ(Read(Units({0, -1, 27082, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, 78})).Questions.At(0),
              u"");
}

TEST(BankReader, FailsWhenTheFileEndsEarly) {
    EXPECT_EQ(FailureNumber({}), err::kInputPastEnd);
    EXPECT_EQ(FailureNumber({0x00}), err::kInputPastEnd);
    std::vector<std::uint8_t> cut(kExample.begin(), kExample.end() - 1);
    try {
        Read(cut);
        FAIL();
    } catch (const BankReadError& error) {
        EXPECT_EQ(error.Number(), err::kInputPastEnd);
        EXPECT_EQ(error.Offset(), 40U);
    }
}

TEST(BankReader, IgnoresBytesAfterTheRightOptions) {
    auto bytes = kExample;
    bytes.push_back(0x55);
    BankReadInfo info;
    EXPECT_EQ(Read(bytes, &info).RightAnswer.At(0), 3);
    EXPECT_TRUE(info.trailingBytes);
    EXPECT_EQ(info.bytesRead, 42U);
    Read(kExample, &info);
    EXPECT_FALSE(info.trailingBytes);
}

// A header of 32767 reads the whole question section, then overflows stepping past it.
TEST(BankReader, AHeaderOf32767FailsAfterTheQuestionTexts) {
    auto bytes = Units({32767});
    for (int i = 0; i < 32768; ++i) {
        const auto empty = Units({-1, 0});
        bytes.insert(bytes.end(), empty.begin(), empty.end());
    }
    try {
        Read(bytes);
        FAIL();
    } catch (const BankReadError& error) {
        EXPECT_EQ(error.Number(), err::kOverflow);
        EXPECT_EQ(error.Offset(), bytes.size());
    }
}

// Units split across the reader's chunks are put together again.
TEST(BankReader, ReadsSourcesThatDeliverOneByteAtATime) {
    class Trickle : public ByteSource {
      public:
        explicit Trickle(const std::vector<std::uint8_t>& b) : bytes(b) {}
        std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
            if (pos == bytes.size() || size == 0) {
                return 0;
            }
            *buffer = bytes[pos++];
            return 1;
        }
        const std::vector<std::uint8_t>& bytes;
        std::size_t pos = 0;
    } trickle(kExample);
    EXPECT_EQ(ReadQuestionBank(trickle).Answers2.At(0), u"Да");
}

// Every unit, as a character of a question and of an option, loads exactly when it rounds
// to a code in 0..255, and then into that code's character.
TEST(BankReader, EveryUnitDecodesAsRoundingToTheNearestCodeSays) {
    for (int unit = INT16_MIN; unit <= INT16_MAX; unit += 1) {
        const int option = DivideRoundHalfEven(unit, 4);
        const auto optionBank = BankWithOption({0, 0, unit});
        if (option < 0 || option > 255) {
            ASSERT_EQ(FailureNumber(optionBank), err::kInvalidCall) << unit;
        } else {
            ASSERT_EQ(Read(optionBank).Answers1.At(0),
                      std::u16string(1, DecodeCp1251(static_cast<std::uint8_t>(option))))
                << unit;
        }
        const int question = DivideRoundHalfEven(unit, 106);
        auto questionBank = Units({0, 0, 0, unit, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, 78});
        if (question < 0 || question > 255) {
            ASSERT_EQ(FailureNumber(questionBank), err::kInvalidCall) << unit;
        } else {
            ASSERT_EQ(Read(questionBank).Questions.At(0),
                      std::u16string(1, DecodeCp1251(static_cast<std::uint8_t>(question))))
                << unit;
        }
    }
}

}  // namespace
}  // namespace vornikat
