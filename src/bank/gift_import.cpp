// SPDX-License-Identifier: MIT
#include "gift_import.hpp"

#include <optional>
#include <string>
#include <vector>

#include "html_text.hpp"
#include "import_draft.hpp"

namespace vornikat::bank {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

bool IsCommentLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(kBlanks);
    return first != std::string_view::npos && line.compare(first, 2, "//") == 0;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(kBlanks) == std::string_view::npos;
}

// A category line names where the questions go in the platform: no question of its own.
bool IsCategoryLine(std::string_view line) {
    return Trimmed(line).starts_with("$CATEGORY:");
}

// The first character of `set` at or after `from` that no backslash escapes.
std::size_t FindUnescaped(std::string_view text, std::size_t from, std::string_view set) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (set.find(text[i]) != std::string_view::npos) {
            return i;
        }
    }
    return std::string_view::npos;
}

// GIFT's escapes made the characters they stand for; "\n" is a line break.
std::string Unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (std::string_view("~=#{}:\\").find(next) != std::string_view::npos) {
                out += next;
                ++i;
                continue;
            }
            if (next == 'n') {
                out += '\n';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

enum class Markup { Plain, Html };

struct Answer {
    bool right = false;
    bool weighted = false;
    std::string text;
};

// One question's chunk of the source with its comment lines left out, and where each of its
// lines began in the source.
struct Chunk {
    std::string text;
    std::vector<std::pair<std::size_t, std::size_t>> lines;  // (offset in text, in the source)

    std::size_t SourceOffset(std::size_t offset) const {
        std::size_t source = 0;
        for (const auto& [at, from] : lines) {
            if (at > offset) {
                break;
            }
            source = from + (offset - at);
        }
        return source;
    }
};

class GiftReader {
  public:
    GiftReader(std::string_view source, Language language)
        : source_(source), positions_(source), language_(language) {}

    DraftBank Read() {
        Chunk chunk;
        std::size_t pos = 0;
        while (pos <= source_.size() && !bank_.stoppedEarly) {
            const std::size_t newline = source_.find('\n', pos);
            const std::size_t end = newline == std::string_view::npos ? source_.size() : newline;
            const std::string_view line = source_.substr(pos, end - pos);
            if (IsBlankLine(line)) {
                ReadChunk(chunk);
                chunk = Chunk{};
            } else if (!IsCommentLine(line) && !IsCategoryLine(line)) {
                if (!chunk.text.empty()) {
                    chunk.text += '\n';
                }
                chunk.lines.emplace_back(chunk.text.size(), pos);
                chunk.text += line;
            }
            if (newline == std::string_view::npos) {
                break;
            }
            pos = newline + 1;
        }
        ReadChunk(chunk);
        return std::move(bank_);
    }

  private:
    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    SourcePosition At(const Chunk& chunk, std::size_t offset) {
        return positions_.At(chunk.SourceOffset(offset));
    }

    void ReadChunk(const Chunk& chunk) {
        const std::string_view text = chunk.text;
        std::size_t begin = text.find_first_not_of(" \t\n");
        if (begin == std::string_view::npos || bank_.stoppedEarly) {
            return;
        }
        const SourcePosition at = At(chunk, begin);
        if (text.compare(begin, 2, "::") == 0) {
            const std::size_t close = text.find("::", begin + 2);
            if (close == std::string_view::npos) {
                AddError(bank_, at,
                         Say("the title \"::\" is not closed by another \"::\"",
                             "название «::» не закрыто вторым «::»"));
                return;
            }
            begin = close + 2;
        }
        Markup markup = Markup::Plain;
        const std::size_t afterBlanks = text.find_first_not_of(" \t\n", begin);
        if (afterBlanks != std::string_view::npos && text[afterBlanks] == '[') {
            const std::size_t close = text.find(']', afterBlanks);
            const std::string_view name =
                close == std::string_view::npos
                    ? std::string_view()
                    : text.substr(afterBlanks + 1, close - afterBlanks - 1);
            if (name == "html" || name == "moodle" || name == "plain" || name == "markdown") {
                markup = name == "html" || name == "moodle" ? Markup::Html : Markup::Plain;
                begin = close + 1;
            }
        }
        const std::size_t open = FindUnescaped(text, begin, "{");
        if (open == std::string_view::npos) {
            ++bank_.skipped;  // a description: text with no answers to ask
            return;
        }
        const std::size_t close = FindUnescaped(text, open + 1, "}");
        if (close == std::string_view::npos) {
            AddError(bank_, At(chunk, open),
                     Say("the answers' \"{\" is not closed by \"}\" before the blank line",
                         "«{» ответов не закрыта «}» до пустой строки"));
            return;
        }
        const auto answers = ReadAnswers(text.substr(open + 1, close - open - 1));
        if (!answers) {
            ++bank_.skipped;
            return;
        }
        if (answers->empty()) {
            AddError(bank_, At(chunk, open),
                     Say("no answer in the braces starts with \"=\" or \"~\"",
                         "ни один ответ в скобках не начинается с «=» или «~»"));
            return;
        }
        std::string question = Unescaped(text.substr(begin, open - begin));
        // Text after the braces makes the question a sentence with a gap where they stood.
        const std::string after = Unescaped(text.substr(close + 1));
        if (!Trimmed(after).empty()) {
            question += " _____ " + after;
        }
        std::vector<std::string> options;
        int right = 0;
        for (const Answer& answer : *answers) {
            options.push_back(markup == Markup::Html ? PlainTextOfHtml(answer.text) : answer.text);
            if (answer.right) {
                right = static_cast<int>(options.size());
            }
        }
        bank_.questions.push_back(MakeDraftQuestion(
            markup == Markup::Html ? PlainTextOfHtml(question) : question, options, right, at));
    }

    // The answers of a multiple-choice question with one right answer, each unescaped and
    // without its feedback; nothing for a question of another kind.
    static std::optional<std::vector<Answer>> ReadAnswers(std::string_view block) {
        const std::string_view trimmed = Trimmed(block);
        // An essay ({}), a number ({#...}), true or false ({T}, {FALSE#...}).
        if (trimmed.empty() || trimmed[0] == '#') {
            return std::nullopt;
        }
        const std::string_view verdict = trimmed.substr(0, FindUnescaped(trimmed, 0, "#"));
        const std::string_view word = Trimmed(verdict);
        if (word == "T" || word == "F" || word == "TRUE" || word == "FALSE") {
            return std::nullopt;
        }
        std::vector<Answer> answers;
        std::size_t pos = FindUnescaped(block, 0, "=~");
        if (pos == std::string_view::npos || !Trimmed(block.substr(0, pos)).empty()) {
            return std::vector<Answer>{};
        }
        int rights = 0;
        bool weighted = false;
        bool matching = false;
        while (pos != std::string_view::npos) {
            Answer answer;
            answer.right = block[pos] == '=';
            std::size_t textBegin = pos + 1;
            if (textBegin < block.size() && block[textBegin] == '%') {
                const std::size_t percent = block.find('%', textBegin + 1);
                if (percent != std::string_view::npos) {
                    weighted = true;
                    textBegin = percent + 1;
                }
            }
            const std::size_t next = FindUnescaped(block, textBegin, "=~#");
            const std::size_t textEnd = next == std::string_view::npos ? block.size() : next;
            const std::string_view raw = block.substr(textBegin, textEnd - textBegin);
            matching = matching || (answer.right && raw.find("->") != std::string_view::npos);
            answer.text = Unescaped(raw);
            rights += answer.right ? 1 : 0;
            answers.push_back(std::move(answer));
            pos = next;
            // Feedback after "#" runs to the next answer; "####" starts the question's own.
            if (pos != std::string_view::npos && block[pos] == '#') {
                if (block.compare(pos, 4, "####") == 0) {
                    break;
                }
                pos = FindUnescaped(block, pos + 1, "=~");
            }
        }
        // Weights give part marks, "->" pairs matching, answers with no wrong one are typed in:
        // the quiz asks none of them, nor a question with several right answers.
        const bool anyWrong = rights < static_cast<int>(answers.size());
        if (weighted || matching || !anyWrong || rights > 1) {
            return std::nullopt;
        }
        return answers;
    }

    std::string_view source_;
    PositionFinder positions_;
    Language language_;
    DraftBank bank_;
};

}  // namespace

DraftBank ReadGift(std::string_view text, Language language) {
    return GiftReader(text, language).Read();
}

}  // namespace vornikat::bank
