// SPDX-License-Identifier: MIT
// Body: the quiz itself, a set of procedures over the quiz state and the question bank.
// Front-ends call only the public entry points below; every event runs inside the guard that
// turns a run-time error into its message and the end of the program.
//
// Some shapes look odd and are kept on purpose: the program's behaviour rests on them, and a
// tidier version would change what the user sees or what stored data means.
// - Numbers are 16-bit, with 16-bit overflow as a run-time error, and several pass by
//   reference (UnloadMain's cancel, ShowSplitMessage's text, GetKeyValue's keyVal): the
//   callee's writes are what the caller gets back, and GetKeyValue's DWORD text grows from
//   what the caller passed in.
// - StartUp sets CurrentQuestion to 0 twice, around the first RefreshCountdown: the countdown
//   goes up before the counters are reset, and the order of the captions shows it.
// - RefreshCountdown calls AcceptAnswer when the minute has run out, so a time-out moves on
//   from inside the tick, and the tick's own caption comes after the next question's.
// - The bank is parallel arrays indexed by question number, with a 16-bit QuestionMax: the
//   layout of data.bin, read as it stands; a bad index is a run-time error, never a crash.
// - The options are read one by one and the last selected one wins; with none selected,
//   ChosenAnswer keeps the 0 that ShowQuestion left in it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ports.hpp"
#include "question_bank.hpp"
#include "quiz_state.hpp"

namespace vornikat {

class Body {
  public:
    explicit Body(const Ports& ports) : ports_(ports) {}

    // Events of Main.
    void OnLoad();
    void OnNxtClick();
    // A tick that falls due while another handler runs (a box of its may be open) is dropped.
    void OnTimerTick();
    void OnExitClick();
    void OnCloseRequest(std::int16_t& cancel);
    // Events of frmHelp.
    void OnSysInfoClick();

    // Runs a handler of a front-end's own inside the same guard.
    void RunGuarded(const std::function<void()>& handler);

  private:
    bool HandlerRunning() const { return handlerDepth_ > 0; }

    // Start-up and the question cycle (body_startup.cpp).
    void StartUp();
    void LoadQuestionBank();
    void ShowQuestion();
    // The answer and the countdown (body_answer.cpp).
    void RefreshCountdown();
    void TickTimer();
    void AcceptAnswer();
    void PlayResourceSound(std::int16_t id);
    // The score: the greeting, the verdict and the stored last score (body_score.cpp).
    void GreetAtStartup();
    void GreetReturningUser();
    void FinishTest();
    void ShowSplitMessage(std::u16string& text);
    void SaveLastScore(const float& percent);
    // Leaving (body_quit.cpp).
    void QuitProgram();
    void UnloadMain(std::int16_t& cancel);
    // The About box's look-ups (body_sysinfo.cpp).
    void StartSysInfo();
    bool GetKeyValue(const RegRoot& keyRoot, const std::string& keyName,
                     const std::string& subKeyRef, std::string& keyVal);

    int ShowMessage(std::u16string_view text, int flags);

    Ports ports_;
    QuizState state_;
    QuestionBank bank_;
    int handlerDepth_ = 0;
};

}  // namespace vornikat
