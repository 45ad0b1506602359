// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "body.hpp"
#include "fake_ports.hpp"

namespace vornikat {
namespace {

using testing::FakePorts;
using testing::MakeBankBytes;
using testing::ProgramEnded;
using Trace = std::vector<std::string>;

const std::string kFirstRunQuestion = "msgbox 36 \"Вы готовы пройти Ворникат ?\"";
const std::string kGoodLuck = "msgbox 64 \"Желаю удачи :)\"";
const std::string kGoodbye = "msgbox 64 \"Пока, загляни сюда ещё как-нибудь!\"";

class FlowTest : public ::testing::Test {
  protected:
    // A first run, answered Yes.
    void Start(int questions, std::int16_t right = 1) {
        ports.files["data.bin"] = MakeBankBytes(questions, right);
        ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk};
        body.OnLoad();
    }

    // Runs one tick and returns what LblT showed last during it.
    std::string Tick() {
        body.OnTimerTick();
        const std::string shown = LastCaption("LblT");
        ports.trace.clear();
        return shown;
    }

    // The last caption the trace so far gave the control, without its quotes.
    std::string LastCaption(const std::string& control) {
        const std::string prefix = control + ".Caption = \"";
        std::string shown;
        for (const auto& line : ports.trace) {
            if (line.rfind(prefix, 0) == 0) {
                shown = line.substr(prefix.size(), line.size() - prefix.size() - 1);
            }
        }
        return shown;
    }

    static std::string Two(int n) {
        std::string two = n < 10 ? "0" : "";
        return two += std::to_string(n);
    }

    static Trace QuestionShown(int n, int right, int judged) {
        const std::string q = std::to_string(n);
        return {"LblC.Caption = \"" + std::to_string(right) + "/" + std::to_string(judged) + "\"",
                "LblQ.Caption = \"Вопрос " + q + "\"",
                "Ans1.Caption = \"Ответ " + q + ".1\"",
                "Ans2.Caption = \"Ответ " + q + ".2\"",
                "Ans3.Caption = \"Ответ " + q + ".3\"",
                "Ans4.Caption = \"Ответ " + q + ".4\"",
                "Ans5.Caption = \"Ответ " + q + ".5\"",
                "LblT.Caption = \"1:00\"",
                "Ans1.Value = -1"};
    }

    static Trace Join(Trace a, const Trace& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    FakePorts ports;
    Body body{ports.AllPorts()};
};

TEST_F(FlowTest, StartUpRunsItsStepsInOrderAndPutsUpTheFirstQuestion) {
    Start(2);
    EXPECT_EQ(ports.TakeTrace(), Join({"chdir", kFirstRunQuestion, kGoodLuck,
                                       "Timer1.Interval = 1000", "LblT.Caption = \"1:00\""},
                                      QuestionShown(1, 0, 0)));
    EXPECT_EQ(ports.OptionValues()[0], kTrue);
}

TEST_F(FlowTest, AfterStartUpNoOptionSelectedCountsAsOptionZero) {
    Start(2, 0);
    ports.SetOptionValues({kFalse, kFalse, kFalse, kFalse, kFalse});
    body.OnNxtClick();
    EXPECT_EQ(LastCaption("LblC"), "1/1");
}

TEST_F(FlowTest, CountdownOfAQuestionPutUpOutsideATick) {
    Start(3);
    ports.trace.clear();
    EXPECT_EQ(Tick(), "1:00");
    EXPECT_EQ(Tick(), "0:59");
    for (int k = 3; k <= 61; ++k) {
        ASSERT_EQ(Tick(), "0:" + Two(61 - k)) << "tick " << k;
    }
    body.OnTimerTick();
    EXPECT_EQ(ports.TakeTrace(), Join(Join({"sound 102"}, QuestionShown(2, 0, 1)),
                                      {"Ans1.SetFocus", "LblT.Caption = \"1:00\""}));
    // The time-out's tick leaves the new question's countdown a second in.
    EXPECT_EQ(Tick(), "0:59");
}

TEST_F(FlowTest, CountdownOfAQuestionPutUpByATimeOut) {
    Start(3);
    for (int k = 1; k <= 61; ++k) {
        Tick();
    }
    body.OnTimerTick();
    ASSERT_EQ(LastCaption("LblC"), "0/1");
    ports.trace.clear();
    EXPECT_EQ(Tick(), "0:59");
    for (int j = 2; j <= 60; ++j) {
        ASSERT_EQ(Tick(), "0:" + Two(60 - j)) << "tick T+" << j;
    }
    body.OnTimerTick();
    EXPECT_EQ(LastCaption("LblT"), "1:00");
    EXPECT_EQ(LastCaption("LblC"), "0/2");
}

TEST_F(FlowTest, ARightAnswerCountsAndPlaysTheRightSound) {
    Start(3, 3);
    ports.trace.clear();
    ports.Select(3);
    body.OnNxtClick();
    EXPECT_EQ(ports.TakeTrace(),
              Join(Join({"sound 101"}, QuestionShown(2, 1, 1)), {"Ans1.SetFocus"}));
    EXPECT_EQ(Tick(), "1:00");

    ports.Select(2);
    body.OnNxtClick();
    EXPECT_EQ(ports.trace.front(), "sound 102");
    EXPECT_EQ(LastCaption("LblC"), "1/2");
}

TEST_F(FlowTest, ATimeOutIsWrongEvenWithTheRightOptionSelected) {
    Start(3, 1);
    for (int k = 1; k <= 61; ++k) {
        Tick();
    }
    ports.trace.clear();
    body.OnTimerTick();
    EXPECT_EQ(ports.trace.front(), "sound 102");
    EXPECT_EQ(LastCaption("LblC"), "0/1");
    // The time-out is over: the next answer is judged on the option selected.
    ports.trace.clear();
    body.OnNxtClick();
    EXPECT_EQ(ports.trace.front(), "sound 101");
}

TEST_F(FlowTest, SeveralSelectedOptionsGiveTheHighestAndNoneGivesZero) {
    Start(3, 0);
    ports.SetOptionValues({kTrue, kFalse, kTrue, kTrue, kFalse});
    body.OnNxtClick();
    EXPECT_EQ(LastCaption("LblC"), "0/1");
    ports.SetOptionValues({kFalse, kFalse, kFalse, kFalse, kFalse});
    body.OnNxtClick();
    EXPECT_EQ(LastCaption("LblC"), "1/2");  // 0 equals the right option 0
}

TEST_F(FlowTest, TheLastAnswerShowsTheFinalCountThenFinishes) {
    Start(1, 1);
    ports.trace.clear();
    ports.answers = {msgbox::kAnswerOk};
    EXPECT_THROW(body.OnNxtClick(), ProgramEnded);
    const Trace trace = ports.TakeTrace();
    ASSERT_GE(trace.size(), 3U);
    EXPECT_EQ(trace[0], "sound 101");
    EXPECT_EQ(trace[1], "LblC.Caption = \"1/1\"");
    EXPECT_EQ(trace[2], "Timer1.Interval = 0");
    EXPECT_EQ(trace.back(), "end");
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Success);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "Ans1.SetFocus"), 0);
}

TEST_F(FlowTest, AMissingOrBrokenBankEndsTheProgramWithItsMessage) {
    const std::string failure =
        "msgbox 16 \"Файл data.bin повреждён или отсутствует!\\rНевосможно продолжить "
        "запуск программы!\"";
    ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk, msgbox::kAnswerOk};
    EXPECT_THROW(body.OnLoad(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(), (Trace{"chdir", kFirstRunQuestion, kGoodLuck, failure, "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Failure);
    EXPECT_EQ(ports.files.count("data.bin"), 0U);

    FakePorts broken;
    Body other(broken.AllPorts());
    broken.files["data.bin"] = {0xFF, 0xFF};
    broken.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk, msgbox::kAnswerOk};
    EXPECT_THROW(other.OnLoad(), ProgramEnded);
    EXPECT_EQ(broken.TakeTrace(), (Trace{"chdir", kFirstRunQuestion, kGoodLuck, failure, "end"}));
    EXPECT_EQ(broken.EndedWith(), ExitStatus::Failure);
    EXPECT_EQ(broken.unreadableFiles, std::vector<std::string>{"data.bin"});
    EXPECT_FALSE(broken.registry.HasKey("HKEY_LOCAL_MACHINE\\Software\\Vornikat"));
}

TEST_F(FlowTest, AMissingSoundIsARunTimeErrorThatEndsTheProgram) {
    Start(2);
    ports.soundsPresent = false;
    ports.trace.clear();
    EXPECT_THROW(body.OnNxtClick(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(),
              (Trace{"error \"Ошибка выполнения '326':\\r\\rРесурс с идентификатором '101' не "
                     "найден\"",
                     "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Failure);
}

TEST_F(FlowTest, RunningOutOfMemoryInAHandlerIsARunTimeErrorThatEndsInFailure) {
    Start(2);
    ports.trace.clear();
    ports.answers = {msgbox::kAnswerOk};
    ports.whileBoxOpen = [] { throw std::bad_alloc(); };
    EXPECT_THROW(body.OnExitClick(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(),
              (Trace{"Timer1.Interval = 0", kGoodbye,
                     "error \"Ошибка выполнения '7':\\r\\rНедостаточно памяти\"", "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Failure);
}

TEST_F(FlowTest, NoTickRunsWhileAHandlerWaitsForItsBox) {
    Start(2);
    ports.trace.clear();
    ports.answers = {msgbox::kAnswerOk};
    ports.whileBoxOpen = [this] {
        for (int i = 0; i < 100; ++i) {
            body.OnTimerTick();
        }
    };
    EXPECT_THROW(body.OnExitClick(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(), (Trace{"Timer1.Interval = 0", kGoodbye, "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Success);
}

TEST_F(FlowTest, LeavingMidQuestionJudgesNothingAndKeepsTheStoredScore) {
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
    const MemoryRegistry::Value stored{reg::kSz, {' ', '5', '0', 0}};
    ports.registry.PutValue(key, "LastScore", stored);
    ports.files["data.bin"] = MakeBankBytes(3, 1);
    ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk};
    body.OnLoad();
    body.OnTimerTick();
    ports.trace.clear();

    ports.answers = {msgbox::kAnswerOk};
    std::int16_t cancel = 0;
    EXPECT_THROW(body.OnCloseRequest(cancel), ProgramEnded);
    EXPECT_EQ(cancel, 1);
    EXPECT_EQ(ports.TakeTrace(), (Trace{"Timer1.Interval = 0", kGoodbye, "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Success);
    EXPECT_EQ(ports.registry.FindValue(key, "LastScore")->data, stored.data);
}

}  // namespace
}  // namespace vornikat
