// SPDX-License-Identifier: MIT
#include "aiken_writer.hpp"

#include <algorithm>

#include "text.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Say(Language language, std::string english, std::string russian) {
    return language == Language::Russian ? std::move(russian) : std::move(english);
}

// Why Aiken cannot carry this text, or an empty string when it can.
std::string TextProblem(std::u16string_view text, bool isQuestion, Language language) {
    if (text.empty()) {
        return isQuestion ? Say(language, "is empty, and Aiken has no empty question line",
                                "пуст, а в Aiken нет пустой строки вопроса")
                          : "";
    }
    const auto control = std::find_if(text.begin(), text.end(), IsControl);
    if (control != text.end()) {
        const std::string shown = QuoteText(std::u16string_view(&*control, 1));
        return Say(language,
                   "holds a control character (" + shown + "), which an Aiken line cannot carry",
                   "содержит управляющий знак (" + shown + "), а строка Aiken его не передаст");
    }
    if (text.front() == u' ') {
        return Say(language, "starts with a blank, which Aiken drops",
                   "начинается с пробела, а Aiken его отбросит");
    }
    if (text.back() == u' ') {
        return Say(language, "ends with a blank, which Aiken drops",
                   "кончается пробелом, а Aiken его отбросит");
    }
    if (isQuestion && LooksLikeAnswerLine(text)) {
        return Say(language, "would be read back as an ANSWER line",
                   "прочтётся обратно как строка ANSWER");
    }
    return "";
}

std::string NameQuestion(std::size_t index, std::u16string_view question, Language language) {
    constexpr std::size_t kShown = 60;
    const bool cut = question.size() > kShown;
    std::string name = Say(language, "question ", "вопрос ") + std::to_string(index + 1);
    if (!question.empty()) {
        name += " (" + QuoteText(question.substr(0, kShown)) + (cut ? "...)" : ")");
    }
    return name;
}

// The label of the option at index: A to Z, as far as a draft may go.
std::string Label(std::size_t index) {
    return std::string(1, static_cast<char>('A' + std::min<std::size_t>(index, 25)));
}

// How many of the five options a draft writes: those it came with, and any the author has
// written since, or named as the right one.
std::size_t WrittenOptions(const DraftQuestion& draft) {
    const QuestionRecord& q = draft.record;
    std::size_t count = std::clamp<std::size_t>(static_cast<std::size_t>(draft.optionCount), 1, 5);
    for (std::size_t k = count; k < q.options.size(); ++k) {
        if (!q.options[k].empty()) {
            count = k + 1;
        }
    }
    if (q.rightOption > 0 && q.rightOption <= 5) {
        count = std::max(count, static_cast<std::size_t>(q.rightOption));
    }
    return count;
}

AikenText Format(std::span<const DraftQuestion> questions, std::size_t maxProblems, bool draft,
                 Language language) {
    AikenText out;
    const auto problem = [&](std::string message) {
        if (out.problems.size() < maxProblems) {
            out.problems.push_back(std::move(message));
        }
        out.stoppedEarly = out.problems.size() >= maxProblems;
    };
    for (std::size_t i = 0; i < questions.size() && !out.stoppedEarly; ++i) {
        const DraftQuestion& d = questions[i];
        const QuestionRecord& q = d.record;
        if (i > 0) {
            out.text += '\n';
        }
        if (const auto why = TextProblem(q.question, true, language); !why.empty()) {
            problem(Say(language, "question ", "вопрос ") + std::to_string(i + 1) +
                    Say(language, ": the question text ", ": текст вопроса ") +
                    QuoteText(q.question) + " " + why);
        }
        // With no ANSWER line before it, a question that reads as an option joins the last.
        if (i > 0 && questions[i - 1].record.rightOption == 0 && LooksLikeOptionLine(q.question)) {
            problem(Say(language, "question ", "вопрос ") + std::to_string(i + 1) +
                    Say(language, ": the question text ", ": текст вопроса ") +
                    QuoteText(q.question) +
                    Say(language,
                        " would be read back as an option of the question before, which has no "
                        "right option",
                        " прочтётся обратно как вариант предыдущего вопроса, у которого нет "
                        "верного варианта"));
        }
        out.text += ToUtf8(q.question) + '\n';
        std::vector<std::u16string_view> options(q.options.begin(),
                                                 q.options.begin() + WrittenOptions(d));
        options.insert(options.end(), d.extraOptions.begin(), d.extraOptions.end());
        for (std::size_t k = 0; k < options.size(); ++k) {
            if (const auto why = TextProblem(options[k], false, language); !why.empty()) {
                problem(NameQuestion(i, q.question, language) +
                        Say(language, ": option ", ": вариант ") + Label(k) + " " +
                        QuoteText(options[k]) + " " + why);
            }
            out.text += Label(k) + ")";
            if (!options[k].empty()) {
                out.text += ' ';
                out.text += ToUtf8(options[k]);
            }
            out.text += '\n';
        }
        const bool named = q.rightOption >= 1 && q.rightOption <= static_cast<int>(options.size());
        if (named) {
            out.text += "ANSWER: " + Label(static_cast<std::size_t>(q.rightOption - 1)) + '\n';
        } else if (!draft || q.rightOption != 0) {
            const std::string right = std::to_string(q.rightOption);
            problem(NameQuestion(i, q.question, language) +
                    Say(language,
                        ": the right option is " + right +
                            ", and Aiken can only name options 1 to 5 (A to E)",
                        ": верный вариант " + right +
                            ", а Aiken называет только варианты с 1 по 5 (от A до E)"));
        }
    }
    if (!out.problems.empty()) {
        out.text.clear();
    }
    return out;
}

}  // namespace

AikenText FormatAiken(std::span<const QuestionRecord> questions, std::size_t maxProblems,
                      Language language) {
    std::vector<DraftQuestion> drafts(questions.size());
    for (std::size_t i = 0; i < questions.size(); ++i) {
        drafts[i].record = questions[i];
    }
    return Format(drafts, maxProblems, false, language);
}

AikenText FormatAikenDraft(std::span<const DraftQuestion> questions, std::size_t maxProblems,
                           Language language) {
    return Format(questions, maxProblems, true, language);
}

}  // namespace vornikat::bank
