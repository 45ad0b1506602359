// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "body.hpp"
#include "fake_ports.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

using testing::FakePorts;
using testing::MakeBankBytes;
using testing::ProgramEnded;

struct Finish {
    std::vector<std::string> trace;
    std::u16string box;  // the text of the one verdict box, a carriage return as "\r"
    std::string stored;
};

// A whole test of the given number of questions, the first `right` of them answered right.
Finish FinishWith(int right, int questions) {
    FakePorts ports;
    Body body(ports.AllPorts());
    ports.files["data.bin"] = MakeBankBytes(questions, 1);
    ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk, msgbox::kAnswerOk, msgbox::kAnswerOk};
    body.OnLoad();
    for (int n = 1; n < questions; ++n) {
        ports.Select(n <= right ? 1 : 2);
        body.OnNxtClick();
    }
    ports.Select(questions <= right ? 1 : 2);
    ports.trace.clear();
    EXPECT_THROW(body.OnNxtClick(), ProgramEnded);
    // What the last answer itself shows: its sound and the final count.
    ports.trace.erase(ports.trace.begin(), ports.trace.begin() + 2);

    Finish finish;
    finish.trace = ports.TakeTrace();
    const std::string prefix = "msgbox 64 \"";
    if (finish.trace.size() == 3 && finish.trace[1].rfind(prefix, 0) == 0) {
        std::string box = finish.trace[1].substr(prefix.size());
        box.pop_back();
        for (std::size_t at = box.find("\\r"); at != std::string::npos; at = box.find("\\r")) {
            box.replace(at, 2, "\r");
        }
        finish.box = FromUtf8(box);
    }
    if (const auto* value =
            ports.registry.FindValue("HKEY_LOCAL_MACHINE\\Software\\Vornikat", "LastScore")) {
        finish.stored.assign(value->data.begin(), value->data.end());
    }
    EXPECT_EQ(ports.TimerInterval(), 0);
    return finish;
}

// The first words of each verdict, with its length and its band's lowest percentage.
struct Band {
    int low;
    std::u16string start;
    std::size_t length;
};
const Band kBands[] = {
    {0, u"Фу, да ты самый тупой ламер", 130},
    {1, u"Блин, не перевелись", 146},
    {11, u"Слабовато, мало ты очков", 70},
    {31, u"Не так уж и плохо", 88},
    {50, u"Хорошо, у тебя больше половины", 76},
    {71, u"Отлично, очень хорошо", 44},
    {90, u"Ууау, вот ты профи", 88},
};

const Band& BandOf(int percent) {
    const Band* band = &kBands[0];
    for (const Band& b : kBands) {
        if (percent >= b.low) {
            band = &b;
        }
    }
    return *band;
}

TEST(Verdict, ThePercentageFallsIntoItsBandAtEveryEdge) {
    const struct {
        int right;
        int questions;
        int percent;
    } cases[] = {
        {0, 1, 0},     {0, 2500, 0},  {1, 100, 1},   {10, 100, 10}, {11, 100, 11},
        {8, 73, 11},   {30, 100, 30}, {31, 100, 31}, {13, 42, 31},  {49, 100, 49},
        {50, 100, 50}, {2, 3, 66},    {70, 100, 70}, {71, 100, 71}, {22, 31, 71},
        {89, 100, 89}, {9, 10, 90},   {90, 100, 90}, {99, 100, 99}, {1, 2500, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.right) + " of " + std::to_string(c.questions));
        const Finish finish = FinishWith(c.right, c.questions);
        ASSERT_EQ(finish.trace.size(), 3U);
        EXPECT_EQ(finish.trace.front(), "Timer1.Interval = 0");
        EXPECT_EQ(finish.trace.back(), "end");
        EXPECT_EQ(finish.stored, " " + std::to_string(c.percent) + std::string(1, '\0'));

        const Band& band = BandOf(c.percent);
        ASSERT_EQ(finish.box.size(), band.length + 1);
        EXPECT_EQ(finish.box.rfind(band.start, 0), 0U);
        // Split at the middle: two halves, nothing lost or repeated.
        EXPECT_EQ(finish.box.find(u'\r'), band.length / 2);
    }
}

TEST(Verdict, TheSplitFallsWhereverTheMiddleIs) {
    const std::u16string none = FinishWith(0, 5).box;
    EXPECT_EQ(none.find(u'\r'), 65U);
    EXPECT_EQ(none.substr(66, 12), u"ещё не видел");

    EXPECT_EQ(FinishWith(3, 4).box, u"Отлично, очень хорошо,\r ты уж точно не ламер!");
    EXPECT_NE(FinishWith(2, 5).box.find(u"сред\rнего"), std::u16string::npos);
}

TEST(Verdict, AllRightShowsTheWholeTextAndStoresAHundred) {
    for (const auto& [right, questions] : {std::pair{1, 1}, std::pair{2499, 2500}}) {
        const Finish finish = FinishWith(right, questions);
        ASSERT_EQ(finish.trace.size(), 3U);
        EXPECT_EQ(finish.trace[1],
                  "msgbox 64 \"SUPER, SUPER, SUPER !!! Отлично, ты правильно ответил на ВСЕ "
                  "вопросы, ты Mega-Giga-Tera Professional, обязательно напиши мне на "
                  "vornikat@example.org сложно-ли было выиграть\"");
        EXPECT_EQ(finish.stored, std::string(" 100\0", 5));
    }
}

}  // namespace
}  // namespace vornikat
