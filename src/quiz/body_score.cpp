// SPDX-License-Identifier: MIT
// The score: the greeting at start-up that recalls the last one, the verdict at the end of
// the test, and the last score stored for the next start.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "arithmetic.hpp"
#include "body.hpp"
#include "cp1251.hpp"
#include "stored_score.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kScoreKeyPath = "Software\\Vornikat";
constexpr std::string_view kScoreValue = "LastScore";
constexpr std::size_t kReadBufferSize = 255;

// A standard user may not write under HKEY_LOCAL_MACHINE, so a score may live in the user's
// own key instead; that key, when there is one, is the one to read. nullopt when neither opens.
std::optional<RegRoot> FindScoreRoot(RegistryPort& registry) {
    for (const RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
        if (registry.ProbeKey(root, kScoreKeyPath) == reg::kSuccess) {
            return root;
        }
    }
    return std::nullopt;
}

// Software must open before Vornikat is made under it; true when the score was stored.
bool StoreScoreUnder(RegistryPort& registry, RegRoot root, const RegValue& score) {
    return registry.ProbeKey(root, "Software") == reg::kSuccess &&
           registry.WriteValue(root, kScoreKeyPath, kScoreValue, score) == reg::kSuccess;
}

// The read fills a buffer of 255 spaces: a value that does not fit fails, and the bytes it
// leaves untouched stay spaces.
long ReadScoreText(RegistryPort& registry, std::optional<RegRoot> root,
                   std::array<std::uint8_t, kReadBufferSize>& buffer) {
    buffer.fill(' ');
    if (!root) {
        return reg::kNotFound;
    }
    const RegRead read = registry.ReadValue(*root, kScoreKeyPath, kScoreValue);
    if (read.result != reg::kSuccess) {
        return read.result;
    }
    if (read.value.data.size() > buffer.size()) {
        return reg::kMoreData;
    }
    std::copy(read.value.data.begin(), read.value.data.end(), buffer.begin());
    return reg::kSuccess;
}

std::u16string GreetingFor(std::optional<std::int16_t> score) {
    const std::int16_t s = score.value_or(-1);
    if (s >= 0 && s <= 30) {
        return u"А, это ты ламерятина, зачем пришёл ?\rБудешь играть ?";
    }
    if (s >= 31 && s <= 49) {
        return u"Привет чайник, что тебе надо ?\rБудешь играть ?";
    }
    if (s >= 50 && s <= 70) {
        return u"Привет, что ты хочешь ?\rБудешь играть ?";
    }
    if (s >= 71 && s <= 100) {
        return u"Привет Mr.Profi, хорошо что зашёл !\rБудешь играть ?";
    }
    return u"Привет Хакер, играй честно в этот раз !\rТак ты будешь играть ?";
}

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

void Body::GreetAtStartup() {
    if (FindScoreRoot(ports_.registry)) {
        GreetReturningUser();
        return;
    }
    if (ShowMessage(u"Вы готовы пройти Ворникат ?", msgbox::kYesNo | msgbox::kQuestion) ==
        msgbox::kAnswerNo) {
        ShowMessage(u"Значит вы ламер :)", msgbox::kInformation | msgbox::kOkOnly);
        ports_.process.EndProgram(ExitStatus::Success);
    }
    ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
}

void Body::GreetReturningUser() {
    std::array<std::uint8_t, kReadBufferSize> buffer{};
    const long result = ReadScoreText(ports_.registry, FindScoreRoot(ports_.registry), buffer);
    const std::u16string text =
        DecodeCp1251(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));

    std::u16string message;
    if (result != reg::kSuccess) {
        message = u"А зачем надо было в реестре капаться ?\rБудешь играть или нет ?";
    } else {
        message = GreetingFor(ReadLeadingNumber(CleanStoredText(text)));
    }
    if (ShowMessage(message, msgbox::kYesNo | msgbox::kQuestion) == msgbox::kAnswerNo) {
        ShowMessage(u"Значит ты ламер :)", msgbox::kInformation | msgbox::kOkOnly);
        ports_.process.EndProgram(ExitStatus::Success);
    }
    ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
}

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

void Body::SaveLastScore(const float& percent) {
    std::string text = EncodeCp1251(ScoreToText(percent)).value_or(std::string());
    text += '\0';
    const RegValue score{reg::kSz, {text.begin(), text.end()}};
    if (!StoreScoreUnder(ports_.registry, RegRoot::LocalMachine, score)) {
        StoreScoreUnder(ports_.registry, RegRoot::CurrentUser, score);
        return;
    }
    // A key of the user's own, left by an earlier run that could not write the machine's,
    // is read first at the next start, so it must not keep an older score.
    if (ports_.registry.ProbeKey(RegRoot::CurrentUser, kScoreKeyPath) == reg::kSuccess) {
        ports_.registry.WriteValue(RegRoot::CurrentUser, kScoreKeyPath, kScoreValue, score);
    }
}

}  // namespace vornikat
