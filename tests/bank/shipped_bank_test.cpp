// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "aiken_parser.hpp"
#include "bank_writer.hpp"
#include "layout_fit.hpp"
#include "run_bank_tool.hpp"
#include "script_runner.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string& Source() {
    static const std::string text = ReadText(VORNIKAT_BANK_SOURCE);
    return text;
}

std::vector<QuestionRecord> ShippedQuestions() {
    const bank::AikenParse parsed = bank::ParseAiken(Source());
    EXPECT_TRUE(parsed.errors.empty());
    std::vector<QuestionRecord> records;
    for (const auto& q : parsed.questions) {
        records.push_back(q.record);
    }
    return records;
}

TEST(ShippedBank, HoldsAtLeastFortyDistinctQuestionsThatFitTheWindow) {
    const auto questions = ShippedQuestions();
    EXPECT_GE(questions.size(), 40U);
    std::set<std::u16string> texts;
    std::array<int, 5> rightPerLetter{};
    for (const auto& q : questions) {
        EXPECT_TRUE(texts.insert(q.question).second) << ToUtf8(q.question);
        const std::set<std::u16string> options(q.options.begin(), q.options.end());
        EXPECT_EQ(options.size(), 5U) << ToUtf8(q.question);
        EXPECT_EQ(options.count(u""), 0U) << ToUtf8(q.question);
        EXPECT_TRUE(bank::FindFitProblems(q).empty()) << ToUtf8(q.question);
        ++rightPerLetter.at(static_cast<std::size_t>(q.rightOption - 1));
    }
    // The right answer is spread over the letters, so no letter is a safe guess.
    for (const int count : rightPerLetter) {
        EXPECT_GE(count, static_cast<int>(questions.size()) / 6);
    }
}

TEST(ShippedBank, IsBuiltBesideTheToolsAndDumpsBackToItsText) {
    const fs::path bank = fs::path(VORNIKAT_TOOLS_DIR) / "data.bin";
    std::ifstream in(bank, std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(bytes, WriteQuestionBank(ShippedQuestions()));
    const auto dump = testing::RunBankTool({"dump", bank.string()});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out, Source());
}

struct Play {
    std::vector<std::string> lines;
    std::vector<std::string> captions;  // the questions put up, in order
};

// Plays the shipped bank through the quiz, answering each message box that waits (whatever
// the start-up shows) and each question with the option pick(question) chooses.
template <typename Pick>
Play PlayShippedBank(const std::vector<QuestionRecord>& questions, Pick pick) {
    std::string script;
    for (int step = 0; step < 500; ++step) {
        const auto run = testing::RunScript(VORNIKAT_TOOLS_DIR, script);
        Play play{run.lines, {}};
        for (const auto& line : run.lines) {
            if (line.starts_with("LblQ.Caption = ")) {
                play.captions.push_back(line.substr(15));
            }
        }
        if (run.lines.size() < 2 || run.lines.back() != "eof") {
            return play;
        }
        const std::string& waiting = run.lines[run.lines.size() - 2];
        if (waiting.starts_with("msgbox ")) {
            const int flags = std::stoi(waiting.substr(7));
            script += (flags & 0x0F) == 4 ? "yes\n" : "ok\n";
        } else {
            EXPECT_FALSE(play.captions.empty());
            const auto& q = questions.at(play.captions.size() - 1);
            script += "select " + std::to_string(pick(q)) + "\nclick Nxt\n";
        }
    }
    ADD_FAILURE() << "the quiz never ended";
    return {};
}

long Count(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

TEST(ShippedBank, PlaysThroughTheQuizRightAndWrong) {
    const auto questions = ShippedQuestions();
    const auto n = static_cast<long>(questions.size());
    const std::string all = std::to_string(n);

    const Play right =
        PlayShippedBank(questions, [](const QuestionRecord& q) { return q.rightOption; });
    std::vector<std::string> expected;
    for (const auto& q : questions) {
        expected.push_back("\"" + ToUtf8(q.question) + "\"");
    }
    EXPECT_EQ(right.captions, expected);
    EXPECT_EQ(Count(right.lines, "sound 101"), n);
    EXPECT_EQ(Count(right.lines, "LblC.Caption = \"" + all + "/" + all + "\""), 1);
    EXPECT_EQ(right.lines.back(), "end");

    const Play wrong =
        PlayShippedBank(questions, [](const QuestionRecord& q) { return q.rightOption % 5 + 1; });
    EXPECT_EQ(wrong.captions.size(), questions.size());
    EXPECT_EQ(Count(wrong.lines, "sound 102"), n);
    EXPECT_EQ(Count(wrong.lines, "LblC.Caption = \"0/" + all + "\""), 1);
    EXPECT_EQ(wrong.lines.back(), "end");
}

}  // namespace
}  // namespace vornikat
