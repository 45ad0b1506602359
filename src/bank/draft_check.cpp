// SPDX-License-Identifier: MIT
#include "draft_check.hpp"

#include <cstdio>

#include "aiken_parser.hpp"
#include "bank_format.hpp"
#include "layout_fit.hpp"
#include "question_check.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
namespace {

class Reporter {
  public:
    explicit Reporter(Language language) : language_(language) {}

    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    void Add(SourcePosition at, std::string message) {
        if (result_.stoppedEarly) {
            return;
        }
        result_.errors.push_back({at, std::move(message)});
        result_.stoppedEarly = result_.errors.size() >= kMaxReportedErrors;
    }

    void CheckQuestion(const DraftQuestion& question) {
        const std::string count = std::to_string(question.optionCount);
        if (question.optionCount != kOptionCount) {
            Add(question.at,
                Say("this question has " + count + " options; the quiz asks five",
                    "у этого вопроса вариантов: " + count + ", а викторина задаёт пять"));
        }
        const int right = question.record.rightOption;
        if (right == 0) {
            Add(question.at, Say("this question names no right option",
                                 "у этого вопроса не указан верный вариант"));
        } else if (right < 1 || right > kOptionCount) {
            const std::string number = std::to_string(right);
            Add(question.at,
                Say("the right option is number " + number + "; the quiz takes one of 1 to 5",
                    "верный вариант — номер " + number +
                        ", а викторина принимает номера от 1 до 5"));
        }
        // Only what data.bin cannot hold is looked at here: the fit is the caller's to report.
        for (const FieldIssue& issue :
             bank::CheckQuestion(question.record, false, EstimatedTextMeasure{})) {
            const std::string letter(1, static_cast<char>('A' + issue.field - 1));
            const std::string english =
                issue.field == kQuestionField ? "the question" : "option " + letter;
            const std::string russian =
                issue.field == kQuestionField ? "в тексте вопроса" : "в варианте " + letter;
            if (issue.kind == IssueKind::NotInCodePage) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(issue.character));
                const std::string character = Utf8Of(issue.character);
                Add(question.at, Say("\"" + character + "\" (" + code + ") in " + english +
                                         " is not a Windows-1251 character; replace it",
                                     "«" + character + "» (" + code + ") " + russian +
                                         " не входит в Windows-1251; замените его"));
            } else if (issue.kind == IssueKind::TooLong) {
                const std::string length = std::to_string(issue.amount);
                const std::string most = std::to_string(bankformat::kMaxTextLength);
                Add(question.at, Say(english + " is " + length +
                                         " characters long; a text holds at most " + most,
                                     "текст длиной " + length + " знаков " + russian +
                                         ", а текст вмещает не больше " + most));
            }
        }
    }

    DraftErrors Finish() { return std::move(result_); }

  private:
    Language language_;
    DraftErrors result_;
};

}  // namespace

DraftErrors FindDraftErrors(const DraftBank& bank, Language language) {
    Reporter reporter(language);
    for (const DraftQuestion& question : bank.questions) {
        reporter.CheckQuestion(question);
    }
    if (bank.questions.empty()) {
        reporter.Add({1, 1}, reporter.Say("no question to ask came in; a bank needs at least one",
                                          "не пришло ни одного вопроса, а банку нужен хотя бы "
                                          "один"));
    } else if (!IsStorableQuestionCount(bank.questions.size())) {
        const std::string count = std::to_string(bank.questions.size());
        reporter.Add(bank.questions[static_cast<std::size_t>(bankformat::kMaxQuestions)].at,
                     reporter.Say("question " + std::to_string(bankformat::kMaxQuestions + 1) +
                                      ": a bank holds at most 32767 questions",
                                  "вопрос " + std::to_string(bankformat::kMaxQuestions + 1) +
                                      ": банк вмещает не больше 32767 вопросов"));
    }
    return reporter.Finish();
}

}  // namespace vornikat::bank
