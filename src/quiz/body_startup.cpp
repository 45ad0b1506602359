// SPDX-License-Identifier: MIT
// The start-up sequence, the loading of the bank and the showing of a question.
#include <exception>

#include "arithmetic.hpp"
#include "bank_reader.hpp"
#include "body.hpp"
#include "text.hpp"

namespace vornikat {

void Body::StartUp() {
    ports_.files.MakeProgramDirectoryCurrent();
    GreetAtStartup();
    LoadQuestionBank();
    state_.CurrentQuestion = 0;
    state_.TimerMinutes = 1;
    state_.TimerSeconds = 0;
    state_.TimedOut = 0;
    ports_.window.SetTimerInterval(1000);
    RefreshCountdown();
    state_.CurrentQuestion = 0;
    state_.CorrectCount = 0;
    state_.ChosenAnswer = 0;
    ShowQuestion();
}

void Body::LoadQuestionBank() {
    try {
        const auto file = ports_.files.OpenForReading("data.bin");
        if (!file) {
            throw RuntimeError(err::kFileNotFound);
        }
        bank_ = ReadQuestionBank(*file);
    } catch (const std::exception&) {
        // A partly read bank is never used: the program ends here.
        ports_.files.ReportUnreadableFile("data.bin");
        ShowMessage(
            u"Файл data.bin повреждён или отсутствует!\rНевосможно продолжить запуск программы!",
            msgbox::kCritical | msgbox::kOkOnly);
        ports_.process.EndProgram(ExitStatus::Failure);
    }
}

void Body::ShowQuestion() {
    ports_.window.SetCaption(
        ControlId::LblC, IntToText(state_.CorrectCount) + u"/" + IntToText(state_.CurrentQuestion));
    if (state_.CurrentQuestion == AddInt16(bank_.QuestionMax, 1)) {
        FinishTest();
        return;
    }
    const std::int16_t q = state_.CurrentQuestion;
    ports_.window.SetCaption(ControlId::LblQ, bank_.Questions.At(q));
    ports_.window.SetCaption(ControlId::Ans1, bank_.Answers1.At(q));
    ports_.window.SetCaption(ControlId::Ans2, bank_.Answers2.At(q));
    ports_.window.SetCaption(ControlId::Ans3, bank_.Answers3.At(q));
    ports_.window.SetCaption(ControlId::Ans4, bank_.Answers4.At(q));
    ports_.window.SetCaption(ControlId::Ans5, bank_.Answers5.At(q));
    state_.TimerMinutes = 1;
    state_.TimerSeconds = 0;
    RefreshCountdown();
    ports_.window.SetValue(ControlId::Ans1, kTrue);
    state_.ChosenAnswer = 0;
}

}  // namespace vornikat
