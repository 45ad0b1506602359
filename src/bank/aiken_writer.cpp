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

// Why Aiken cannot carry this text, or an empty string when it can.
std::string TextProblem(std::u16string_view text, bool isQuestion) {
    if (text.empty()) {
        return isQuestion ? "is empty, and Aiken has no empty question line" : "";
    }
    const auto control = std::find_if(text.begin(), text.end(), IsControl);
    if (control != text.end()) {
        return "holds a control character (" + QuoteText(std::u16string_view(&*control, 1)) +
               "), which an Aiken line cannot carry";
    }
    if (text.front() == u' ') {
        return "starts with a blank, which Aiken drops";
    }
    if (text.back() == u' ') {
        return "ends with a blank, which Aiken drops";
    }
    if (isQuestion && LooksLikeAnswerLine(text)) {
        return "would be read back as an ANSWER line";
    }
    return "";
}

std::string NameQuestion(std::size_t index, std::u16string_view question) {
    constexpr std::size_t kShown = 60;
    const bool cut = question.size() > kShown;
    std::string name = "question " + std::to_string(index + 1);
    if (!question.empty()) {
        name += " (" + QuoteText(question.substr(0, kShown)) + (cut ? "...)" : ")");
    }
    return name;
}

}  // namespace

AikenText FormatAiken(std::span<const QuestionRecord> questions, std::size_t maxProblems) {
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
        if (const auto why = TextProblem(q.question, true); !why.empty()) {
            problem("question " + std::to_string(i + 1) + ": the question text " +
                    QuoteText(q.question) + " " + why);
        }
        out.text += ToUtf8(q.question) + '\n';
        for (std::size_t k = 0; k < q.options.size(); ++k) {
            const std::string letter(1, static_cast<char>('A' + k));
            if (const auto why = TextProblem(q.options[k], false); !why.empty()) {
                problem(NameQuestion(i, q.question) + ": option " + letter + " " +
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
            problem(NameQuestion(i, q.question) + ": the right option is " +
                    std::to_string(q.rightOption) +
                    ", and Aiken can only name options 1 to 5 (A to E)");
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
