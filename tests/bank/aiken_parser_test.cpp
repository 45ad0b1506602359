// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aiken_parser.hpp"

namespace vornikat::bank {
namespace {

// The errors as "LINE:COLUMN: message" lines.
std::vector<std::string> Errors(const std::string& source) {
    std::vector<std::string> lines;
    for (const auto& error : ParseAiken(source).errors) {
        lines.push_back(std::to_string(error.at.line) + ":" + std::to_string(error.at.column) +
                        ": " + error.message);
    }
    return lines;
}

const std::string kOptions = "A) a\nB) b\nC) c\nD) d\nE) e\n";

TEST(AikenParser, ReadsEveryFormTheFormatAllows) {
    const std::string source =
        "\xEF\xBB\xBF\r\n"
        "  Что делает кнопка «Reset»?  \r\n"
        "\r\n"
        "A) Перезагружает компьютер\r\n"
        "B.\tСбрасывает настроение\r\n"
        "\t\r\n"
        "C)Удаляет интернет \r\n"
        "D)\r\n"
        "E)   \r\n"
        "ANSWER:E\r\n"
        "Второй\n" +
        kOptions + "   ANSWER: \t B";
    const AikenParse parsed = ParseAiken(source);
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front().message;
    ASSERT_EQ(parsed.questions.size(), 2U);
    const QuestionRecord& first = parsed.questions[0].record;
    EXPECT_EQ(first.question, u"Что делает кнопка «Reset»?");
    EXPECT_EQ(first.options,
              (std::array<std::u16string, 5>{u"Перезагружает компьютер", u"Сбрасывает настроение",
                                             u"Удаляет интернет", u"", u""}));
    EXPECT_EQ(first.rightOption, 5);
    EXPECT_EQ(parsed.questions[1].record.rightOption, 2);
    // Positions count characters from 1, after the byte-order mark.
    EXPECT_EQ(parsed.questions[0].question.line, 2);
    EXPECT_EQ(parsed.questions[0].question.column, 3);
    EXPECT_EQ(parsed.questions[0].options[1].line, 5);
    EXPECT_EQ(parsed.questions[0].options[1].column, 4);
}

TEST(AikenParser, ExplainsMistakesInLabelsAndAnswers) {
    EXPECT_EQ(Errors("Q\nА) a\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"2:1: label \"А\" is Cyrillic; use the Latin letter A"});
    EXPECT_EQ(Errors("Q\nA) a\nВ) b\nC) c\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"3:1: label \"В\" is Cyrillic; use the Latin letter B"});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\nc) c\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"4:1: label \"c\" is lower case; use the capital letter C"});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: В\n"),
              std::vector<std::string>{"7:9: answer \"В\" is Cyrillic; use the Latin letter B"});
    EXPECT_EQ(
        Errors("Q\n" + kOptions + "ANSWER: d\n"),
        std::vector<std::string>{"7:9: answer \"d\" is lower case; use the capital letter D"});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: 3\n"),
              std::vector<std::string>{
                  "7:9: the answer is a letter, not a number: write \"C\" for option 3"});
    EXPECT_EQ(
        Errors("Q\n" + kOptions + "ANSWER: F\n"),
        std::vector<std::string>{"7:9: the answer must be one of the letters A to E, not \"F\""});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: A, B\n"),
              std::vector<std::string>{"7:9: write only the letter of the right option, one of A "
                                       "to E, after \"ANSWER:\""});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER:\n"),
              std::vector<std::string>{"7:8: the ANSWER line names no option; write one of the "
                                       "letters A to E after \"ANSWER:\""});
    EXPECT_EQ(Errors("Q\n" + kOptions + "Answer: A\n"),
              std::vector<std::string>{"7:1: write \"ANSWER\" in capital letters"});
}

TEST(AikenParser, ExplainsMistakesInTheShapeOfAQuestion) {
    EXPECT_EQ(Errors("Q\n" + kOptions + "F) f\nANSWER: A\n"),
              std::vector<std::string>{"7:1: a sixth option; a question has exactly five options, "
                                       "A to E, and then its ANSWER line"});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: A\nANSWER: B\n"),
              std::vector<std::string>{"8:1: a second ANSWER line; the question on line 1 already "
                                       "has its answer on line 7"});
    EXPECT_EQ(Errors("ANSWER: B\nQ\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:1: an ANSWER line with no question before it"});
    EXPECT_EQ(Errors("Q\n" + kOptions + "Next\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"7:1: the question on line 1 has no ANSWER line; add "
                                       "\"ANSWER: \" and the letter of the right option after "
                                       "option E"});
    EXPECT_EQ(Errors("Q\n" + kOptions),
              std::vector<std::string>{"1:1: this question has no ANSWER line; add \"ANSWER: \" "
                                       "and the letter of the right option after option E"});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\n"),
              std::vector<std::string>{"1:1: the file ends inside this question: it has 2 of its "
                                       "five options and no ANSWER line"});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\nANSWER: A\n"),
              std::vector<std::string>{
                  "4:1: the question on line 1 has only 2 options; it needs five, A to E"});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"4:1: expected option C, found option D; a question "
                                       "needs all five options, A to E, in order"});
    EXPECT_EQ(Errors("Q\nA) a\nA) b\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"3:1: a second option A; a question has one option of "
                                       "each letter, A to E, in order"});
    EXPECT_EQ(Errors("Два\nстроки\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"2:1: expected option A, a line starting with \"A)\"; a "
                                       "question is one line, so join this line to the question "
                                       "on line 1"});
    EXPECT_EQ(
        Errors("Q\nA) a\nB: b\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n"),
        std::vector<std::string>{"3:1: expected option B, a line starting with \"B)\" or \"B.\""});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\nC) c\nD) d\nG) e\nANSWER: A\n"),
              (std::vector<std::string>{
                  "6:1: \"G\" is not an option label; a question has five options, A to E",
                  "7:1: the question on line 1 has only 4 options; it needs five, A to E"}));
    EXPECT_EQ(Errors(""), std::vector<std::string>{
                              "1:1: the file holds no question; a bank needs at least one"});
    EXPECT_EQ(
        Errors("\xEF\xBB\xBF \r\n\n\t\n"),
        std::vector<std::string>{"1:1: the file holds no question; a bank needs at least one"});
}

TEST(AikenParser, RefusesCharactersTheBankCannotHold) {
    EXPECT_EQ(Errors("x → y\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:3: \"→\" (U+2192) is not a Windows-1251 character, so "
                                       "the program cannot show it; write \"->\" instead"});
    EXPECT_EQ(
        Errors("Q\nA) a\nB) b 🙂 🙂\nC) c\nD) d\nE) e\nANSWER: A\n"),
        std::vector<std::string>{"3:6: \"🙂\" (U+1F642) is not a Windows-1251 character, so "
                                 "the program cannot show it; replace it"});
    EXPECT_EQ(Errors("a\tb\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:2: a tab inside the question; use a space"});
    EXPECT_EQ(Errors("Q\nA) a\x01\nB) b\nC) c\nD) d\nE) e\nANSWER: A\n"),
              std::vector<std::string>{"2:5: a control character (U+0001) in option A; remove it"});
    EXPECT_EQ(
        Errors("a\r b\n" + kOptions + "ANSWER: A\n"),
        std::vector<std::string>{"1:2: a control character (U+000D) in the question; remove it"});
    EXPECT_EQ(
        Errors("Q\xC2\x98\n" + kOptions + "ANSWER: A\n"),
        std::vector<std::string>{"1:2: a control character (U+0098) in the question; remove it"});
    // Windows-1251 bytes, overlong forms and encoded surrogates are not UTF-8.
    const std::string expected =
        "is not UTF-8; save the file as UTF-8 (in Notepad: File, Save as, Encoding: UTF-8; "
        "elsewhere, from Windows-1251: iconv -f cp1251 -t utf-8)";
    EXPECT_EQ(Errors("\xC2\xEE\xEF\xF0\xEE\xF1\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:1: the byte 0xC2 " + expected});
    EXPECT_EQ(Errors("ab\xC0\xAF\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:3: the byte 0xC0 " + expected});
    EXPECT_EQ(Errors("\xED\xA0\x80\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:1: the byte 0xED " + expected});
    EXPECT_EQ(Errors("ab\xE2\x82\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:3: the byte 0xE2 " + expected});
}

TEST(AikenParser, HoldsTheBankLimits) {
    const std::string longest(32766, 'x');
    EXPECT_TRUE(Errors(longest + "\nA) " + longest + "\nB)\nC)\nD)\nE)\nANSWER: A\n").empty());
    EXPECT_EQ(Errors("Q\nA) " + longest + "y\nB)\nC)\nD)\nE)\nANSWER: A\n"),
              std::vector<std::string>{"2:4: option A is 32767 characters long; a text holds at "
                                       "most 32766"});

    std::string bank;
    for (int i = 0; i < 32767; ++i) {
        bank += "Q\nA)\nB)\nC)\nD)\nE)\nANSWER: A\n";
    }
    const AikenParse full = ParseAiken(bank);
    EXPECT_TRUE(full.errors.empty());
    EXPECT_EQ(full.questions.size(), 32767U);
    bank += "Q\nA)\nB)\nC)\nD)\nE)\nANSWER: A\n";
    EXPECT_EQ(Errors(bank), std::vector<std::string>{
                                "229370:1: question 32768: a bank holds at most 32767 questions"});
}

TEST(AikenParser, ReportsEveryErrorOfARunUpToTheLimit) {
    std::string source;
    for (int i = 0; i < 30; ++i) {
        source += "Q\n" + kOptions + "ANSWER: a\n";
    }
    const AikenParse parsed = ParseAiken(source);
    EXPECT_EQ(parsed.errors.size(), kMaxReportedErrors);
    EXPECT_TRUE(parsed.stoppedEarly);
    EXPECT_EQ(parsed.errors.back().at.line, 7 * 20);
    EXPECT_FALSE(ParseAiken(source, 100).stoppedEarly);
    EXPECT_EQ(ParseAiken(source, 100).errors.size(), 30U);
}

// A long source tells how far the parse has come, and stops with nothing when asked to.
TEST(AikenParser, TellsItsProgressAndStopsWhenAsked) {
    std::string source;
    for (int i = 0; i < 20000; ++i) {
        source += "Q\n" + kOptions + "ANSWER: A\n";
    }
    std::vector<std::size_t> told;
    const AikenParse whole =
        ParseAiken(source, kMaxReportedErrors, TextRule::Storable, Language::English,
                   [&](std::size_t done, std::size_t total) {
                       EXPECT_EQ(total, source.size());
                       told.push_back(done);
                       return true;
                   });
    EXPECT_EQ(whole.questions.size(), 20000U);
    EXPECT_FALSE(whole.cancelled);
    ASSERT_GT(told.size(), 2U);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_LT(told.back(), source.size());

    const AikenParse stopped =
        ParseAiken(source, kMaxReportedErrors, TextRule::Storable, Language::English,
                   [](std::size_t done, std::size_t total) { return done < total / 2; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.questions.empty());
}

// The editor's drafts: what data.bin cannot hold reads as it stands, for the editor to flag.
TEST(AikenParser, ADraftKeepsWhatTheBankCannotHold) {
    const std::string longer(32767, 'x');
    const std::string draft =
        "5 ≤ 6 \xF0\x9F\x98\x80?\nA) " + longer + "\nB)\nC)\nD)\nE)\nANSWER: B\n";
    EXPECT_EQ(ParseAiken(draft).errors.size(), 2U);
    const AikenParse parsed = ParseAiken(draft, kMaxReportedErrors, TextRule::Any);
    ASSERT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.questions.at(0).record.question, u"5 ≤ 6 \U0001F600?");
    EXPECT_EQ(parsed.questions.at(0).record.options[0].size(), longer.size());
    EXPECT_TRUE(ParseAiken("", kMaxReportedErrors, TextRule::Any).errors.empty());
    // A tab is still no text of a bank, draft or not.
    EXPECT_EQ(ParseAiken("Q\tR\n" + kOptions + "ANSWER: A\n", kMaxReportedErrors, TextRule::Any)
                  .errors.size(),
              1U);
}

TEST(AikenParser, ALineTooLongForAnyTextIsRefusedWithoutReadingIt) {
    const std::string huge(4 * kMaxDraftTextLength + 100, '\x8B');
    const AikenParse parsed = ParseAiken(huge + "\n", kMaxReportedErrors, TextRule::Any);
    ASSERT_EQ(parsed.errors.size(), 1U);
    EXPECT_EQ(parsed.errors[0].message, "the line is " + std::to_string(huge.size()) +
                                            " bytes long; a text holds at most 1048576 characters");
}

TEST(AikenParser, SaysItsErrorsInRussianForTheEditor) {
    const AikenParse parsed = ParseAiken("Вопрос\nA) a\nANSWER: а\n", kMaxReportedErrors,
                                         TextRule::Storable, Language::Russian);
    ASSERT_EQ(parsed.errors.size(), 2U);
    EXPECT_EQ(parsed.errors[0].message,
              "у вопроса в строке 1 вариантов только 1, а нужно пять, от A до E");
    EXPECT_EQ(parsed.errors[1].message, "ответ «а» кириллицей; напишите латинскую букву A");
}

}  // namespace
}  // namespace vornikat::bank
