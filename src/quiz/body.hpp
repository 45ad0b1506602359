// Body: the quiz itself, a set of procedures over the quiz state and the question bank.
// Front-ends call the event entry points; every one of them runs inside the guard that
// turns a run-time error into its message and the end of the program.
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
    bool HandlerRunning() const { return handlerDepth_ > 0; }

    // The procedures.
    void StartUp();
    void LoadQuestionBank();
    void ShowQuestion();
    void RefreshCountdown();
    void TickTimer();
    void AcceptAnswer();
    void PlayResourceSound(std::int16_t id);
    void GreetAtStartup();
    void GreetReturningUser();
    void SaveLastScore(const float& percent);
    void FinishTest();
    void ShowSplitMessage(std::u16string& text);
    void QuitProgram();
    void UnloadMain(std::int16_t& cancel);
    void StartSysInfo();
    bool GetKeyValue(const RegKey& keyRoot, const std::string& keyName,
                     const std::string& subKeyRef, std::string& keyVal);

    const QuizState& State() const { return state_; }
    QuizState& MutableState() { return state_; }
    const QuestionBank& Bank() const { return bank_; }
    QuestionBank& MutableBank() { return bank_; }

  private:
    int ShowMessage(std::u16string_view text, int flags);

    Ports ports_;
    QuizState state_;
    QuestionBank bank_;
    int handlerDepth_ = 0;
};

}  // namespace vornikat
