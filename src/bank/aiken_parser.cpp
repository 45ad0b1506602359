// SPDX-License-Identifier: MIT
#include "aiken_parser.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "bank_format.hpp"
#include "cp1251.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
namespace {

enum class Mode { Strict, Draft };

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Labels and keywords are Latin or Russian letters: their upper case is all that is needed.
char32_t UpperCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'а' && c <= U'я')) {
        return c - 0x20;
    }
    return c == U'ё' ? U'Ё' : c;
}

bool IsLatin(char32_t c) {
    const char32_t upper = UpperCase(c);
    return upper >= U'A' && upper <= U'Z';
}

bool IsCyrillic(char32_t c) {
    const char32_t upper = UpperCase(c);
    return (upper >= U'А' && upper <= U'Я') || upper == U'Ё';
}

// The Latin capital a Cyrillic one looks like: "В)" typed on a Russian keyboard to match a "B)".
char32_t LatinLookAlike(char32_t c) {
    switch (const char32_t upper = UpperCase(c)) {
        case U'А':
            return U'A';
        case U'В':
            return U'B';
        case U'С':
            return U'C';
        case U'Е':
            return U'E';
        default:
            return upper;
    }
}

// Where a letter stands among the labels by its look: A is 0; -1 for a letter of no such place.
int LatinIndex(char32_t c) {
    const char32_t latin = LatinLookAlike(c);
    return latin >= U'A' && latin <= U'Z' ? static_cast<int>(latin - U'A') : -1;
}

// Where a letter stands among Russian labels: А Б В Г Д, and on (Ё and Й are never labels).
int RussianIndex(char32_t c) {
    constexpr std::u32string_view kOrder = U"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ";
    const std::size_t at = kOrder.find(UpperCase(c));
    return at == std::u32string_view::npos ? -1 : static_cast<int>(at);
}

// The index just past the colon of an ANSWER or ОТВЕТ line (any letter case, blanks before the
// colon allowed), or nothing when the text from begin is not one.
template <typename Text>
std::optional<std::size_t> FindAnswerColon(const Text& text, std::size_t begin, std::size_t end) {
    for (const std::u32string_view keyword : {U"ANSWER", U"ОТВЕТ"}) {
        if (end - begin < keyword.size()) {
            continue;
        }
        bool same = true;
        for (std::size_t k = 0; k < keyword.size() && same; ++k) {
            same = UpperCase(static_cast<char32_t>(text[begin + k])) == keyword[k];
        }
        if (!same) {
            continue;
        }
        std::size_t p = begin + keyword.size();
        while (p < end && IsBlank(static_cast<char32_t>(text[p]))) {
            ++p;
        }
        if (p < end && text[p] == ':') {
            return p + 1;
        }
    }
    return std::nullopt;
}

struct Label {
    char32_t letter;
    std::size_t textBegin;
};

// A letter followed by ")" or ".", then the text after any blanks.
template <typename Text>
std::optional<Label> ReadLabel(const Text& line, std::size_t begin, std::size_t end) {
    if (end - begin < 2 || (line[begin + 1] != U')' && line[begin + 1] != U'.')) {
        return std::nullopt;
    }
    const auto c = static_cast<char32_t>(line[begin]);
    if (!IsLatin(c) && !IsCyrillic(c)) {
        return std::nullopt;
    }
    std::size_t text = begin + 2;
    while (text < end && IsBlank(static_cast<char32_t>(line[text]))) {
        ++text;
    }
    return Label{c, text};
}

bool IsFirstLabel(char32_t c) {
    return LatinIndex(c) == 0 || RussianIndex(c) == 0;
}

std::string Letter(int index) {
    return std::string(1, static_cast<char>('A' + index));
}

// Appended piece by piece: "\"" + a temporary string trips GCC 12's -Wrestrict.
std::string Quoted(char32_t c) {
    std::string quoted = "\"";
    quoted += Utf8Of(c);
    quoted += '"';
    return quoted;
}

std::string QuotedRu(char32_t c) {
    std::string quoted = "«";
    quoted += Utf8Of(c);
    quoted += "»";
    return quoted;
}

// A text of a question named in a message: "the question", "вопрос", "в вопросе".
struct TextName {
    std::string english;
    std::string russian;
    std::string russianIn;
};

// Look-alikes with no Windows-1251 code that writers meet most often.
const char* ReplacementFor(char32_t c) {
    switch (c) {
        case U'→':
            return "->";
        case U'←':
            return "<-";
        case U'×':
            return "x";
        case U'÷':
            return "/";
        case U'−':
            return "-";
        case U'≤':
            return "<=";
        case U'≥':
            return ">=";
        case U'≠':
            return "!=";
        case U'≈':
            return "~";
        case U'²':
            return "^2";
        default:
            return nullptr;
    }
}

std::string CodePoint(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

// A question as its lines come: the options in the order written, their labels read once the
// question is whole, since only the set of them tells Russian order from Latin look-alikes.
struct Pending {
    SourcePosition at;
    std::u16string question;
    std::vector<std::u16string> options;
    std::vector<char32_t> labels;
    std::vector<SourcePosition> labelAt;
    std::vector<SourcePosition> optionAt;
    bool answered = false;
    std::u32string answer;
    SourcePosition answerAt;
};

// The option an answer letter names: the label written the same, else one that looks the same,
// else the letter's place in its own alphabet. -1 for none.
int FindAnsweredOption(char32_t answer, const std::vector<char32_t>& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (UpperCase(labels[i]) == UpperCase(answer)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (LatinLookAlike(labels[i]) == LatinLookAlike(answer)) {
            return static_cast<int>(i);
        }
    }
    const int index = IsCyrillic(answer) ? RussianIndex(answer) : LatinIndex(answer);
    const int places = std::max(static_cast<int>(labels.size()), 5);
    return index < places ? index : -1;
}

// An answer written in the other alphabet than its labels may name two options: "B" under
// А Б В Г Д looks like В, the third, but stands second among Latin letters; "В" under A to E
// looks like B, the second, but stands third in Russian. Nothing is guessed then: the options it
// may mean, by look and by place; nothing when only one is meant.
std::optional<std::pair<int, int>> FindAmbiguousAnswer(char32_t answer,
                                                       const std::vector<char32_t>& labels) {
    const auto sameLetter = [answer](char32_t label) {
        return UpperCase(label) == UpperCase(answer);
    };
    if (std::any_of(labels.begin(), labels.end(), sameLetter)) {
        return std::nullopt;
    }
    const auto byLook = std::find_if(labels.begin(), labels.end(), [answer](char32_t label) {
        return LatinLookAlike(label) == LatinLookAlike(answer);
    });
    if (byLook == labels.end()) {
        return std::nullopt;
    }
    const int look = static_cast<int>(byLook - labels.begin());
    const int place = IsCyrillic(answer) ? RussianIndex(answer) : LatinIndex(answer);
    if (place < 0 || place >= static_cast<int>(labels.size()) || place == look) {
        return std::nullopt;
    }
    return std::pair{look, place};
}

class Parser {
  public:
    Parser(Mode mode, std::size_t maxErrors, Language language)
        : mode_(mode), maxErrors_(maxErrors), language_(language) {}

    // False once the error limit is reached.
    bool ReadLine(int number, std::string_view bytes) {
        number_ = number;
        // A character takes at most four bytes: a line this long holds a text over the limit
        // whatever it says, and is not worth decoding.
        constexpr std::size_t kLabelBytes = 16;
        if (bytes.size() > 4 * TextLimit() + kLabelBytes) {
            const std::string size = std::to_string(bytes.size());
            const std::string limit = std::to_string(TextLimit());
            Error(SourcePosition{number, 1},
                  Say("the line is " + size + " bytes long; a text holds at most " + limit +
                          " characters",
                      "строка длиной " + size + " байт, а текст вмещает не больше " + limit +
                          " знаков"));
            return !Stopped();
        }
        line_ = DecodeUtf8Leniently(bytes);
        ReportBadBytes();
        std::size_t begin = 0;
        std::size_t end = line_.size();
        while (begin < end && IsBlank(line_[begin])) {
            ++begin;
        }
        while (end > begin && IsBlank(line_[end - 1])) {
            --end;
        }
        if (begin == end || Stopped()) {
            return !Stopped();
        }
        const auto colon = FindAnswerColon(line_, begin, end);
        const auto label = ReadLabel(line_, begin, end);
        switch (expect_) {
            case Expect::Question:
                if (colon) {
                    OnStrayAnswer(begin);
                } else {
                    StartQuestion(begin, end);
                }
                break;
            case Expect::FirstOption:
                if (colon) {
                    OnAnswer(begin, *colon, end);
                } else if (label && IsFirstLabel(label->letter)) {
                    AddOption(begin, *label, end);
                } else {
                    ContinueQuestion(begin, end);
                }
                break;
            case Expect::Option:
                if (colon) {
                    OnAnswer(begin, *colon, end);
                } else if (label) {
                    AddOption(begin, *label, end);
                } else {
                    FinishQuestion(At(begin));
                    StartQuestion(begin, end);
                }
                break;
        }
        return !Stopped();
    }

    void Finish() {
        if (expect_ != Expect::Question) {
            FinishQuestion(pending_.at);
        }
    }

    AikenParse TakeParse() {
        if (questions_.empty() && errors_.empty()) {
            Error({1, 1}, Say("the file holds no question; a bank needs at least one",
                              "в файле нет ни одного вопроса, а банку нужен хотя бы один"));
        }
        AikenParse parse;
        parse.questions = std::move(questions_);
        parse.errors = std::move(errors_);
        parse.stoppedEarly = stoppedEarly_;
        return parse;
    }

    DraftBank TakeDraft() {
        DraftBank draft;
        draft.questions = std::move(drafts_);
        draft.errors = std::move(errors_);
        draft.stoppedEarly = stoppedEarly_;
        const bool anyOption =
            std::any_of(draft.questions.begin(), draft.questions.end(),
                        [](const DraftQuestion& question) { return question.optionCount > 0; });
        if (!anyOption && !(draft.questions.empty() && draft.errors.empty())) {
            // Prose, or a file of some other kind read as text: no bank to open.
            draft.questions.clear();
            draft.errors = {{{1, 1},
                             Say("the file holds no Aiken question: no line of an option such as "
                                 "\"A) ...\"",
                                 "в файле нет ни одного вопроса Aiken: ни одной строки варианта "
                                 "вроде «A) …»")}};
            draft.stoppedEarly = false;
        }
        return draft;
    }

  private:
    enum class Expect { Question, FirstOption, Option };

    bool Strict() const { return mode_ == Mode::Strict; }

    // A draft reads on to the end whatever it meets: only its list of errors is cut.
    bool Stopped() const { return Strict() && stoppedEarly_; }

    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    std::size_t TextLimit() const {
        return Strict() ? static_cast<std::size_t>(bankformat::kMaxTextLength)
                        : kMaxDraftTextLength;
    }

    SourcePosition At(std::size_t index) const { return {number_, static_cast<int>(index) + 1}; }

    void Error(SourcePosition at, std::string message) {
        if (stoppedEarly_) {
            return;
        }
        errors_.push_back({at, std::move(message)});
        stoppedEarly_ = errors_.size() >= maxErrors_;
    }

    void Error(std::size_t index, std::string message) { Error(At(index), std::move(message)); }

    // What a bank cannot hold: an error of the bank tool, a flag of the editor's draft.
    void Problem(SourcePosition at, std::string message) {
        if (Strict()) {
            Error(at, std::move(message));
        }
    }

    void ReportBadBytes() {
        for (std::size_t i = 0; i < line_.size(); ++i) {
            if (line_[i] >= kNotUtf8) {
                char byte[8];
                std::snprintf(
                    byte, sizeof byte, "0x%02X",
                    static_cast<unsigned>(static_cast<std::uint8_t>(line_[i] - kNotUtf8)));
                Problem(At(i), Say(std::string("the byte ") + byte + " is not UTF-8",
                                   std::string("байт ") + byte + " не из UTF-8"));
                return;  // once a line: the rest of it is most likely garbled the same way
            }
        }
    }

    void OnStrayAnswer(std::size_t begin) {
        if (afterAnswer_) {
            const std::string question = std::to_string(lastQuestionLine_);
            const std::string answer = std::to_string(answerLine_);
            Error(begin, Say("a second ANSWER line; the question on line " + question +
                                 " already has its answer on line " + answer,
                             "вторая строка ANSWER: у вопроса в строке " + question +
                                 " уже есть ответ в строке " + answer));
        } else {
            Error(begin, Say("an ANSWER line with no question before it",
                             "строка ANSWER, а перед ней нет вопроса"));
        }
    }

    void StartQuestion(std::size_t begin, std::size_t end) {
        afterAnswer_ = false;
        ++count_;
        if (count_ == bankformat::kMaxQuestions + 1) {
            Problem(At(begin), Say("question 32768: a bank holds at most 32767 questions",
                                   "вопрос 32768: банк вмещает не больше 32767 вопросов"));
        }
        pending_ = Pending{};
        pending_.at = At(begin);
        pending_.question = ReadText(begin, end, QuestionName());
        expect_ = Expect::FirstOption;
    }

    static TextName QuestionName() { return {"the question", "вопрос", "в тексте вопроса"}; }

    // A question written over several lines is one text, its lines joined by a blank.
    void ContinueQuestion(std::size_t begin, std::size_t end) {
        std::u16string more = ReadText(begin, end, QuestionName());
        if (pending_.question.size() + 1 + more.size() > TextLimit()) {
            const std::string most = std::to_string(TextLimit());
            Error(begin, Say("the question is longer than a text holds, " + most + " characters",
                             "вопрос длиннее, чем вмещает текст: больше " + most + " знаков"));
            return;
        }
        pending_.question += u' ';
        pending_.question += more;
    }

    void AddOption(std::size_t begin, const Label& label, std::size_t end) {
        const int place = static_cast<int>(pending_.options.size());
        const std::string name = place < 26 ? Letter(place) : std::to_string(place + 1);
        pending_.labels.push_back(label.letter);
        pending_.labelAt.push_back(At(begin));
        pending_.optionAt.push_back(At(label.textBegin));
        pending_.options.push_back(ReadText(
            label.textBegin, end, {"option " + name, "вариант " + name, "в варианте " + name}));
        expect_ = Expect::Option;
    }

    void OnAnswer(std::size_t begin, std::size_t colon, std::size_t end) {
        std::size_t p = colon;
        while (p < end && IsBlank(line_[p])) {
            ++p;
        }
        pending_.answered = true;
        pending_.answer = line_.substr(p, end - p);
        pending_.answerAt = At(p == end ? colon : p);
        FinishQuestion(At(begin));
        afterAnswer_ = true;
        answerLine_ = number_;
    }

    // Checks the question's shape, names its right option and hands it on. endAt is where the
    // line that ended it starts.
    void FinishQuestion(SourcePosition endAt) {
        Pending& q = pending_;
        const std::size_t count = q.labels.size();
        const std::string line = std::to_string(q.at.line);
        if (count < 5) {
            const std::string have = std::to_string(count);
            Problem(endAt,
                    Say("the question on line " + line + " has " + have +
                            (count == 1 ? " option" : " options") + "; it needs five, A to E",
                        "у вопроса в строке " + line + " вариантов: " + have +
                            ", а нужно пять, от A до E"));
        } else if (count > 5) {
            Problem(q.labelAt[5], Say("a sixth option; a question has exactly five options, A "
                                      "to E, and then its ANSWER line",
                                      "шестой вариант; у вопроса ровно пять вариантов, от A до "
                                      "E, а за ними строка ANSWER"));
        }
        bool russian = true;
        bool latin = true;
        for (std::size_t i = 0; i < count; ++i) {
            russian = russian && RussianIndex(q.labels[i]) == static_cast<int>(i);
            latin = latin && LatinIndex(q.labels[i]) == static_cast<int>(i);
        }
        if (!russian && !latin) {
            std::size_t i = 0;
            while (i < count && LatinIndex(q.labels[i]) == static_cast<int>(i)) {
                ++i;
            }
            const std::string letter = Letter(static_cast<int>(std::min<std::size_t>(i, 25)));
            Problem(q.labelAt[std::min(i, count - 1)],
                    Say("expected option " + letter + ", found " +
                            Quoted(q.labels[std::min(i, count - 1)]) +
                            "; label a question's options in order, A to E or А to Д",
                        "ожидался вариант " + letter + ", а найден " +
                            QuotedRu(q.labels[std::min(i, count - 1)]) +
                            "; помечайте варианты по порядку: от A до E или от А до Д"));
        }
        const int right = q.answered ? ReadAnswer(q) : -1;
        if (!q.answered) {
            Problem(endAt, Say("the question on line " + line +
                                   " has no ANSWER line; add \"ANSWER: \" and the letter of the "
                                   "right option after its options",
                               "у вопроса в строке " + line +
                                   " нет строки ANSWER; добавьте после вариантов «ANSWER: » и "
                                   "букву верного варианта"));
        }
        lastQuestionLine_ = q.at.line;
        if (Strict()) {
            AikenQuestion question;
            question.question = q.at;
            question.record.question = std::move(q.question);
            for (std::size_t i = 0; i < std::min<std::size_t>(count, 5); ++i) {
                question.record.options[i] = std::move(q.options[i]);
                question.options[i] = q.optionAt[i];
            }
            question.record.rightOption = static_cast<std::int16_t>(right + 1);
            questions_.push_back(std::move(question));
        } else {
            DraftQuestion draft;
            draft.at = q.at;
            draft.optionCount = static_cast<int>(count);
            draft.record.question = std::move(q.question);
            for (std::size_t i = 0; i < count; ++i) {
                if (i < 5) {
                    draft.record.options[i] = std::move(q.options[i]);
                } else {
                    draft.extraOptions.push_back(std::move(q.options[i]));
                }
            }
            draft.record.rightOption = static_cast<std::int16_t>(right + 1);
            drafts_.push_back(std::move(draft));
        }
        expect_ = Expect::Question;
    }

    // The index of the option the answer names, or -1 with the reason told: an error of the
    // bank tool, and in a draft a line the editor could not read (the question is then flagged
    // as having no answer).
    int ReadAnswer(const Pending& q) {
        const std::u32string& answer = q.answer;
        std::string problem;
        int index = -1;
        if (answer.empty()) {
            problem =
                Say("the ANSWER line names no option; write the letter of the right option "
                    "after \"ANSWER:\"",
                    "строка ANSWER не называет варианта; напишите после «ANSWER:» букву "
                    "верного варианта");
        } else if (answer.size() > 1) {
            problem = Say("write only the letter of the right option after \"ANSWER:\"",
                          "напишите после «ANSWER:» только букву верного варианта");
        } else if (answer[0] >= U'1' && answer[0] <= U'9') {
            const int number = static_cast<int>(answer[0] - U'0');
            const std::string letter = number <= static_cast<int>(q.labels.size())
                                           ? Utf8Of(q.labels[number - 1])
                                           : Letter(number - 1);
            problem = Say("the answer is a letter, not a number: write \"" + letter +
                              "\" for option " + std::to_string(number),
                          "ответ — буква, а не число: для варианта " + std::to_string(number) +
                              " напишите «" + letter + "»");
        } else if (!IsLatin(answer[0]) && !IsCyrillic(answer[0])) {
            problem = Say("the answer must be the letter of an option, not " + Quoted(answer[0]),
                          "ответ — буква варианта, а не " + QuotedRu(answer[0]));
        } else if (const auto both = FindAmbiguousAnswer(answer[0], q.labels)) {
            const std::string look(1, static_cast<char>('A' + both->first));
            const std::string place(1, static_cast<char>('A' + both->second));
            const std::string lookRu = std::to_string(both->first + 1);
            const std::string placeRu = std::to_string(both->second + 1);
            problem = Say("the answer " + Quoted(answer[0]) + " may mean option " + look +
                              ", whose label looks like it, or option " + place +
                              ", by its place in its alphabet: write the answer with the letter of "
                              "the option's own label",
                          "ответ " + QuotedRu(answer[0]) + " может значить и вариант " + lookRu +
                              ", чья метка на него похожа, и вариант " + placeRu +
                              ", по месту буквы в алфавите: напишите в ответе букву из метки "
                              "нужного варианта");
        } else {
            index = FindAnsweredOption(answer[0], q.labels);
            if (index < 0 || (Strict() && index >= 5)) {
                problem = Say("the answer " + Quoted(answer[0]) +
                                  " names none of this question's five options",
                              "ответ " + QuotedRu(answer[0]) +
                                  " не называет ни одного из пяти вариантов вопроса");
                index = -1;
            }
        }
        if (!problem.empty()) {
            Error(q.answerAt, std::move(problem));
        }
        return index;
    }

    // The text as the bank stores it; each problem is reported once per text. A draft keeps
    // every character as it stands, for the editor to flag.
    std::u16string ReadText(std::size_t begin, std::size_t end, const TextName& what) {
        const std::size_t limit = TextLimit();
        if (end - begin > limit) {
            const std::string length = std::to_string(end - begin);
            const std::string most = std::to_string(limit);
            Error(begin, Say(what.english + " is " + length +
                                 " characters long; a text holds at most " + most,
                             what.russian + " длиной " + length +
                                 " знаков, а текст вмещает не больше " + most));
            // The text cannot be stored: its letters are not worth a look each.
            return {};
        }
        std::u16string text;
        text.reserve(end - begin);
        bool reported = false;
        for (std::size_t i = begin; i < end; ++i) {
            const char32_t c = line_[i] >= kNotUtf8 ? U'\uFFFD' : line_[i];
            std::string problem;
            if (!Strict() && c > 0xFFFF) {
                text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                continue;
            }
            if (!Strict() || line_[i] >= kNotUtf8) {
                text += static_cast<char16_t>(c);
                continue;
            }
            if (c == U'\t') {
                problem = Say("a tab inside " + what.english + "; use a space",
                              "табуляция " + what.russianIn + "; поставьте пробел");
            } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) {
                problem = Say(
                    "a control character (" + CodePoint(c) + ") in " + what.english + "; remove it",
                    "управляющий знак (" + CodePoint(c) + ") " + what.russianIn + "; удалите его");
            } else if (c > 0xFFFF || !EncodeCp1251(static_cast<char16_t>(c))) {
                const char* replacement = ReplacementFor(c);
                problem =
                    Say(Quoted(c) + " (" + CodePoint(c) +
                            ") is not a Windows-1251 character, so the program cannot "
                            "show it; " +
                            (replacement ? "write \"" + std::string(replacement) + "\" instead"
                                         : std::string("replace it")),
                        QuotedRu(c) + " (" + CodePoint(c) +
                            ") не входит в Windows-1251, и программа не сможет его "
                            "показать; " +
                            (replacement ? "напишите «" + std::string(replacement) + "»"
                                         : std::string("замените его")));
            } else {
                text += static_cast<char16_t>(c);
                continue;
            }
            if (!reported) {
                Error(i, problem);
                reported = true;
            }
        }
        return text;
    }

    Mode mode_;
    std::size_t maxErrors_;
    Language language_;
    std::vector<AikenQuestion> questions_;
    std::vector<DraftQuestion> drafts_;
    std::vector<Diagnostic> errors_;
    bool stoppedEarly_ = false;
    int number_ = 0;
    std::u32string line_;
    Expect expect_ = Expect::Question;
    Pending pending_;
    long count_ = 0;
    bool afterAnswer_ = false;  // the last line read was an ANSWER line
    int lastQuestionLine_ = 0;
    int answerLine_ = 0;
};

// Feeds the parser line by line; false when the progress asked to stop.
bool ReadLines(std::string_view source, Parser& parser, const ParseProgress& progress) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (source.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        source.remove_prefix(kByteOrderMark.size());
    }
    // Told every so many bytes rather than every line: the listener may redraw a window.
    constexpr std::size_t kProgressStep = std::size_t{1} << 16;
    std::size_t nextReport = kProgressStep;
    int number = 1;
    for (std::size_t pos = 0;; ++number) {
        if (progress && pos >= nextReport) {
            nextReport = pos + kProgressStep;
            if (!progress(pos, source.size())) {
                return false;
            }
        }
        const std::size_t newline = source.find('\n', pos);
        std::string_view line = source.substr(
            pos, newline == std::string_view::npos ? std::string_view::npos : newline - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!parser.ReadLine(number, line)) {
            return true;
        }
        if (newline == std::string_view::npos) {
            break;
        }
        pos = newline + 1;
    }
    parser.Finish();
    return true;
}

}  // namespace

AikenParse ParseAiken(std::string_view source, std::size_t maxErrors, Language language,
                      const ParseProgress& progress) {
    Parser parser(Mode::Strict, maxErrors, language);
    if (!ReadLines(source, parser, progress)) {
        AikenParse cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    return parser.TakeParse();
}

DraftBank ReadAikenDraft(std::string_view source, Language language, const ParseProgress& progress,
                         std::size_t maxErrors) {
    Parser parser(Mode::Draft, maxErrors, language);
    if (!ReadLines(source, parser, progress)) {
        DraftBank cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    return parser.TakeDraft();
}

bool LooksLikeAnswerLine(std::u16string_view text) {
    return FindAnswerColon(text, 0, text.size()).has_value();
}

bool LooksLikeOptionLine(std::u16string_view text) {
    return ReadLabel(text, 0, text.size()).has_value();
}

}  // namespace vornikat::bank
