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

// Options "один" to "пять" under each kind of label, and the answer as teachers write it.
TEST(AikenParser, ReadsAikenAsPeopleWriteIt) {
    const std::string latin = "A) один\nB) два\nC) три\nD) четыре\nE) пять\n";
    // Russian labels go in Russian order: В is the third.
    const std::string russian = "А) один\nБ) два\nВ) три\nГ) четыре\nД) пять\n";
    // Cyrillic look-alikes typed for Latin labels: В is the second.
    const std::string lookAlike = "А) один\nВ) два\nС) три\nD) четыре\nЕ) пять\n";
    const struct {
        std::string source;
        int right;
    } cases[] = {
        {"Q\n" + russian + "ОТВЕТ: В\n", 3},
        {"Q\nа. один\nб. два\nв. три\nг. четыре\nд. пять\nответ:в\n", 3},
        {"Q\n" + russian + "ANSWER: C\n", 3},
        {"Q\n" + lookAlike + "ANSWER: В\n", 2},
        {"Q\n" + lookAlike + "ANSWER: B\n", 2},
        {"Q\n" + latin + "Ответ : с\n", 3},
        {"Q\n" + latin + "ANSWER :c\n", 3},
        // A Russian letter with no Latin look-alike counts in Russian order.
        {"Q\n" + latin + "ANSWER: Г\n", 4},
        {"Q\na) один\nb) два\nc) три\nd) четыре\ne) пять\nANSWER: e\n", 5},
        // No blank line between questions.
        {"Q\n" + latin + "ANSWER: A\nQ\n" + latin + "ANSWER: A\n", 1},
    };
    for (const auto& c : cases) {
        const AikenParse parsed = ParseAiken(c.source);
        ASSERT_TRUE(parsed.errors.empty()) << c.source << parsed.errors.front().message;
        for (const auto& question : parsed.questions) {
            EXPECT_EQ(question.record.options,
                      (std::array<std::u16string, 5>{u"один", u"два", u"три", u"четыре", u"пять"}))
                << c.source;
            EXPECT_EQ(question.record.rightOption, c.right) << c.source;
        }
    }
    const AikenParse lines =
        ParseAiken("Сколько будет\n  два плюс два?\n" + kOptions + "ANSWER: D");
    ASSERT_TRUE(lines.errors.empty());
    EXPECT_EQ(lines.questions.at(0).record.question, u"Сколько будет два плюс два?");
}

// What the tool refuses a draft opens: every question, as its source gave it.
TEST(AikenParser, ADraftOpensWhatTheToolRefuses) {
    const struct {
        std::string source;
        int optionCount;
        std::vector<std::u16string> extra;
        int right;
        std::string error;  // the tool's
    } cases[] = {
        {"Q\nA) a\nB) b\nC) c\nD) d\nANSWER: B\n",
         4,
         {},
         2,
         "6:1: the question on line 1 has 4 options; it needs five, A to E"},
        {"Q\n" + kOptions + "F) f\nANSWER: B\n",
         6,
         {u"f"},
         2,
         "7:1: a sixth option; a question has exactly five options, A to E, and then its ANSWER "
         "line"},
        {"Q\n" + kOptions + "F) f\nANSWER: F\n",
         6,
         {u"f"},
         6,
         "7:1: a sixth option; a question has exactly five options, A to E, and then its ANSWER "
         "line"},
        {"Q\n" + kOptions + "\nNext\n" + kOptions + "ANSWER: A\n",
         5,
         {},
         0,
         "8:1: the question on line 1 has no ANSWER line; add \"ANSWER: \" and the letter of the "
         "right option after its options"},
        {"Q\n" + kOptions + "ANSWER: Z\n",
         5,
         {},
         0,
         "7:9: the answer \"Z\" names none of this question's five options"},
        {"Q\n" + kOptions + "ANSWER: 3\n",
         5,
         {},
         0,
         "7:9: the answer is a letter, not a number: write \"C\" for option 3"},
        // A letter of the other alphabet that names one option by its look, another by its place.
        {"Q\nА) a\nБ) b\nВ) c\nГ) d\nД) e\nanswer: b\n",
         5,
         {},
         0,
         "7:9: the answer \"b\" may mean option C, whose label looks like it, or option B, by its "
         "place in its alphabet: write the answer with the letter of the option's own label"},
        {"Q\n" + kOptions + "ОТВЕТ: В\n",
         5,
         {},
         0,
         "7:8: the answer \"В\" may mean option B, whose label looks like it, or option C, by its "
         "place in its alphabet: write the answer with the letter of the option's own label"},
        {"Q\nA) a\nB) b\nD) d\nE) e\nF) f\nANSWER: D\n",
         5,
         {},
         3,
         "4:1: expected option C, found \"D\"; label a question's options in order, A to E or А "
         "to Д"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> errors;
        for (const auto& error : ParseAiken(c.source).errors) {
            errors.push_back(std::to_string(error.at.line) + ":" + std::to_string(error.at.column) +
                             ": " + error.message);
        }
        EXPECT_NE(std::find(errors.begin(), errors.end(), c.error), errors.end()) << c.source;
        const DraftBank draft = ReadAikenDraft(c.source, Language::English);
        ASSERT_FALSE(draft.questions.empty()) << c.source;
        const DraftQuestion& first = draft.questions.front();
        EXPECT_EQ(first.optionCount, c.optionCount) << c.source;
        EXPECT_EQ(first.extraOptions, c.extra) << c.source;
        EXPECT_EQ(first.record.rightOption, c.right) << c.source;
        EXPECT_EQ(first.at.line, 1);
    }
    // The fifth option a source lacked is empty; a line that fits no question is told.
    const DraftBank short_ = ReadAikenDraft("Q\nA) a\nB) b\nC) c\nD) d\n\nANSWER: A\nANSWER: B\n");
    ASSERT_EQ(short_.questions.size(), 1U);
    EXPECT_EQ(short_.questions[0].record.options[4], u"");
    ASSERT_EQ(short_.errors.size(), 1U);
    EXPECT_EQ(short_.errors[0].at.line, 8);
    // Prose has no option line: no bank, and one message.
    const DraftBank prose = ReadAikenDraft("Строка\nещё строка\nANSWER: A\n");
    EXPECT_TRUE(prose.questions.empty());
    ASSERT_EQ(prose.errors.size(), 1U);
    EXPECT_EQ(prose.errors[0].message,
              "в файле нет ни одного вопроса Aiken: ни одной строки варианта вроде «A) …»");
    const DraftBank blank = ReadAikenDraft(" \n\n");
    EXPECT_TRUE(blank.questions.empty() && blank.errors.empty());
}

TEST(AikenParser, ExplainsMistakesInTheShapeOfAQuestion) {
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: A\nANSWER: B\n"),
              std::vector<std::string>{"8:1: a second ANSWER line; the question on line 1 already "
                                       "has its answer on line 7"});
    EXPECT_EQ(Errors("ANSWER: B\nQ\n" + kOptions + "ANSWER: A\n"),
              std::vector<std::string>{"1:1: an ANSWER line with no question before it"});
    EXPECT_EQ(Errors("Q\nA) a\nB) b\n"),
              (std::vector<std::string>{
                  "1:1: the question on line 1 has 2 options; it needs five, A to E",
                  "1:1: the question on line 1 has no ANSWER line; add \"ANSWER: \" and the "
                  "letter of the right option after its options"}));
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER:\n"),
              std::vector<std::string>{"7:8: the ANSWER line names no option; write the letter "
                                       "of the right option after \"ANSWER:\""});
    EXPECT_EQ(Errors("Q\n" + kOptions + "ANSWER: A, B\n"),
              std::vector<std::string>{
                  "7:9: write only the letter of the right option after \"ANSWER:\""});
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
    const std::string expected = "is not UTF-8";
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
        source += "Q\n" + kOptions + "ANSWER: 1\n";
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
    const AikenParse whole = ParseAiken(source, kMaxReportedErrors, Language::English,
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
        ParseAiken(source, kMaxReportedErrors, Language::English,
                   [](std::size_t done, std::size_t total) { return done < total / 2; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.questions.empty());
}

// The editor's drafts: what data.bin cannot hold reads as it stands, for the editor to flag.
TEST(AikenParser, ADraftKeepsWhatTheBankCannotHold) {
    const std::string longer(32767, 'x');
    const std::string draft =
        "5 ≤ 6\t\xF0\x9F\x98\x80?\nA) " + longer + "\nB)\nC)\nD)\nE)\nANSWER: B\n";
    EXPECT_EQ(ParseAiken(draft).errors.size(), 2U);
    const DraftBank parsed = ReadAikenDraft(draft);
    ASSERT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.questions.at(0).record.question, u"5 ≤ 6\t\U0001F600?");
    EXPECT_EQ(parsed.questions.at(0).record.options[0].size(), longer.size());
}

TEST(AikenParser, ALineTooLongForAnyTextIsRefusedWithoutReadingIt) {
    const std::string huge(4 * kMaxDraftTextLength + 100, '\x8B');
    const DraftBank parsed = ReadAikenDraft("Q\nA) a\n" + huge + "\n", Language::English);
    ASSERT_EQ(parsed.errors.size(), 1U);
    EXPECT_EQ(parsed.errors[0].message, "the line is " + std::to_string(huge.size()) +
                                            " bytes long; a text holds at most 1048576 characters");
}

TEST(AikenParser, SaysItsErrorsInRussianForTheEditor) {
    const AikenParse parsed =
        ParseAiken("Вопрос\nA) a\nANSWER: 1\n", kMaxReportedErrors, Language::Russian);
    ASSERT_EQ(parsed.errors.size(), 2U);
    EXPECT_EQ(parsed.errors[0].message,
              "у вопроса в строке 1 вариантов: 1, а нужно пять, от A до E");
    EXPECT_EQ(parsed.errors[1].message, "ответ — буква, а не число: для варианта 1 напишите «A»");
}

}  // namespace
}  // namespace vornikat::bank
