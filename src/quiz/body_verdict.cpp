// The end of the test: the percentage, the verdict on it, and the stored score.
#include <cmath>
#include <string>

#include "body.hpp"
#include "rounding.hpp"

namespace vornikat {
namespace {

struct Verdict {
    float low;
    float high;
    const char16_t* text;
};

// Tested from the top; both bounds belong to the band. 0 and 100 stand apart.
constexpr Verdict kSplitVerdicts[] = {
    {1.0F, 10.0F,
     u"Блин, не перевелись же ещё ламеры на свете, таких чайников как ты я ни разу не "
     u"встречал, выходи из этой проги, таким ламерам как ты здесь не место"},
    {11.0F, 30.0F, u"Слабовато, мало ты очков набрал, не обижайся конечно, но ты ламер :)))"},
    {31.0F, 49.0F,
     u"Не так уж и плохо, очков чуть-чуть ниже среднего, но ты всё равно чайник и немного "
     u"ламер"},
    {50.0F, 70.0F, u"Хорошо, у тебя больше половины правильных ответов, скорее всего ты не ламер!"},
    {71.0F, 89.0F, u"Отлично, очень хорошо, ты уж точно не ламер!"},
    {90.0F, 99.0F,
     u"Ууау, вот ты профи, ты прекрасно отвечал на вопросы, просто сногсшибательно. Super "
     u"Cool!"},
};

constexpr const char16_t* kNoneRight =
    u"Фу, да ты самый тупой ламер из всех кого я знал, такого ламота я ещё не видел, позор "
    u"тебе, не на один вопрос не ответил, чайник!!!";

constexpr const char16_t* kAllRight =
    u"SUPER, SUPER, SUPER !!! Отлично, ты правильно ответил на ВСЕ вопросы, ты "
    u"Mega-Giga-Tera Professional, обязательно напиши мне на vornikat@example.org "
    u"сложно-ли было выиграть";

// The whole part of the value rounded to tenths. A float times ten is exact in a double,
// and a float never lies exactly on a half-tenth below a whole number, so how ties go
// cannot change the whole part.
float WholePartOfTenths(float value) {
    const double tenths = std::floor(static_cast<double>(value) * 10.0 + 0.5);
    return static_cast<float>(std::floor(tenths / 10.0));
}

}  // namespace

void Body::FinishTest() {
    ports_.window.SetTimerInterval(0);
    const double questions = static_cast<double>(bank_.QuestionMax) + 1.0;
    state_.ScorePercent =
        static_cast<float>(static_cast<double>(state_.CorrectCount) / questions * 100.0);
    state_.ScorePercent = WholePartOfTenths(state_.ScorePercent);

    const float percent = state_.ScorePercent;
    if (percent == 0.0F) {
        std::u16string text = kNoneRight;
        ShowSplitMessage(text);
    } else {
        for (const Verdict& verdict : kSplitVerdicts) {
            if (percent >= verdict.low && percent <= verdict.high) {
                std::u16string text = verdict.text;
                ShowSplitMessage(text);
                break;
            }
        }
    }
    if (percent == 100.0F) {
        ShowMessage(kAllRight, msgbox::kInformation | msgbox::kOkOnly);
    }
    const float stored = state_.ScorePercent;
    SaveLastScore(stored);
    ports_.process.EndProgram(ExitStatus::Success);
}

void Body::ShowSplitMessage(std::u16string& text) {
    // Half the length, rounded half to even: exact for the even lengths given here.
    const auto n = static_cast<std::size_t>(RoundHalfEven(static_cast<double>(text.size()) / 2.0));
    text = text.substr(0, n) + u"\r" + text.substr(text.size() - n);
    ShowMessage(text, msgbox::kInformation | msgbox::kOkOnly);
}

}  // namespace vornikat
