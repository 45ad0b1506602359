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

}  // namespace

AikenText FormatAiken(std::span<const QuestionRecord> questions, std::size_t maxProblems,
                      Language language) {
    AikenText out;
    const auto problem = [&](std::string message) {
        if (out.problems.size() < maxProblems) {
            out.problems.push_back(std::move(message));
        }
        out.stoppedEarly = out.problems.size() >= maxProblems;
    };
    for (std::size_t i = 0; i < questions.size() && !out.stoppedEarly; ++i) {
        const QuestionRecord& q = questions[i];
        if (i > 0) {
            out.text += '\n';
        }
        if (const auto why = TextProblem(q.question, true, language); !why.empty()) {
            problem(Say(language, "question ", "вопрос ") + std::to_string(i + 1) +
                    Say(language, ": the question text ", ": текст вопроса ") +
                    QuoteText(q.question) + " " + why);
        }
        out.text += ToUtf8(q.question) + '\n';
        for (std::size_t k = 0; k < q.options.size(); ++k) {
            const std::string letter(1, static_cast<char>('A' + k));
            if (const auto why = TextProblem(q.options[k], false, language); !why.empty()) {
                problem(NameQuestion(i, q.question, language) +
                        Say(language, ": option ", ": вариант ") + letter + " " +
                        QuoteText(q.options[k]) + " " + why);
            }
            out.text += letter + ")";
            if (!q.options[k].empty()) {
                out.text += ' ';
                out.text += ToUtf8(q.options[k]);
            }
            out.text += '\n';
        }
        if (q.rightOption < 1 || q.rightOption > 5) {
            const std::string right = std::to_string(q.rightOption);
            problem(NameQuestion(i, q.question, language) +
                    Say(language,
                        ": the right option is " + right +
                            ", and Aiken can only name options 1 to 5 (A to E)",
                        ": верный вариант " + right +
                            ", а Aiken называет только варианты с 1 по 5 (от A до E)"));
        } else {
            out.text +=
                "ANSWER: " + std::string(1, static_cast<char>('A' + q.rightOption - 1)) + '\n';
        }
    }
    if (!out.problems.empty()) {
        out.text.clear();
    }
    return out;
}

}  // namespace vornikat::bank
