// SPDX-License-Identifier: MIT
#include "aiken_parser.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "bank_format.hpp"
#include "cp1251.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
namespace {

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

// The index just past the colon of an ANSWER line (any letter case, blanks before the
// colon allowed), or nothing when the text from begin is not one.
template <typename Text>
std::optional<std::size_t> FindAnswerColon(const Text& text, std::size_t begin, std::size_t end) {
    constexpr std::string_view kKeyword = "answer";
    if (end - begin < kKeyword.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k < kKeyword.size(); ++k) {
        const auto c = static_cast<char32_t>(text[begin + k]);
        const auto lower = static_cast<char32_t>(kKeyword[k]);
        if (c != lower && c != lower - U'a' + U'A') {
            return std::nullopt;
        }
    }
    std::size_t p = begin + kKeyword.size();
    while (p < end && IsBlank(text[p])) {
        ++p;
    }
    if (p < end && text[p] == ':') {
        return p + 1;
    }
    return std::nullopt;
}

bool IsCyrillicLabel(char32_t c) {
    // А to Е and С, either case: what a Russian keyboard gives for the labels.
    return (c >= U'А' && c <= U'Е') || c == U'С' || (c >= U'а' && c <= U'е') || c == U'с';
}

// The Latin letter a Cyrillic answer letter was most likely meant as: a look-alike first,
// then the letter at the same place in the Russian alphabet.
char LatinForCyrillic(char32_t c) {
    switch (c) {
        case U'А':
        case U'а':
            return 'A';
        case U'В':
        case U'в':
        case U'Б':
        case U'б':
            return 'B';
        case U'С':
        case U'с':
            return 'C';
        case U'Г':
        case U'г':
            return 'D';
        default:
            return 'E';
    }
}

enum class LabelKind { Latin, LowerLatin, Cyrillic };

struct Label {
    char32_t raw;
    LabelKind kind;
    std::size_t textBegin;
};

// A letter followed by ")" or ".", then the text after any blanks.
std::optional<Label> ReadLabel(const std::u32string& line, std::size_t begin, std::size_t end) {
    if (end - begin < 2 || (line[begin + 1] != U')' && line[begin + 1] != U'.')) {
        return std::nullopt;
    }
    const char32_t c = line[begin];
    LabelKind kind;
    if (c >= U'A' && c <= U'Z') {
        kind = LabelKind::Latin;
    } else if (c >= U'a' && c <= U'z') {
        kind = LabelKind::LowerLatin;
    } else if (IsCyrillicLabel(c)) {
        kind = LabelKind::Cyrillic;
    } else {
        return std::nullopt;
    }
    std::size_t text = begin + 2;
    while (text < end && IsBlank(line[text])) {
        ++text;
    }
    return Label{c, kind, text};
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

class Parser {
  public:
    Parser(std::size_t maxErrors, TextRule rule, Language language)
        : maxErrors_(maxErrors), rule_(rule), language_(language) {}

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
        switch (expect_) {
            case Expect::Question:
                OnQuestionLine(begin, end);
                break;
            case Expect::Option:
                OnOptionLine(begin, end);
                break;
            case Expect::Answer:
                OnAnswerPlace(begin, end);
                break;
        }
        return !Stopped();
    }

    AikenParse Finish() {
        if (!Stopped()) {
            const SourcePosition at = current_.question;
            if (expect_ == Expect::Option) {
                const std::string have = std::to_string(next_);
                Error(at, Say("the file ends inside this question: it has " + have +
                                  " of its five options and no ANSWER line",
                              "файл кончается внутри этого вопроса: у него " + have +
                                  " вариантов из пяти и нет строки ANSWER"));
            } else if (expect_ == Expect::Answer) {
                Error(at, Say("this question has no ANSWER line; add \"ANSWER: \" and the letter "
                              "of the right option after option E",
                              "у этого вопроса нет строки ANSWER; добавьте после варианта E "
                              "«ANSWER: » и букву верного варианта"));
            }
        }
        if (result_.questions.empty() && result_.errors.empty() && rule_ == TextRule::Storable) {
            Error({1, 1}, Say("the file holds no question; a bank needs at least one",
                              "в файле нет ни одного вопроса, а банку нужен хотя бы один"));
        }
        return std::move(result_);
    }

  private:
    enum class Expect { Question, Option, Answer };

    bool Stopped() const { return result_.stoppedEarly; }

    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    std::size_t TextLimit() const {
        return rule_ == TextRule::Storable ? static_cast<std::size_t>(bankformat::kMaxTextLength)
                                           : kMaxDraftTextLength;
    }

    SourcePosition At(std::size_t index) const { return {number_, static_cast<int>(index) + 1}; }

    void Error(SourcePosition at, std::string message) {
        if (Stopped()) {
            return;
        }
        result_.errors.push_back({at, std::move(message)});
        result_.stoppedEarly = result_.errors.size() >= maxErrors_;
    }

    void Error(std::size_t index, std::string message) { Error(At(index), std::move(message)); }

    void ReportBadBytes() {
        for (std::size_t i = 0; i < line_.size(); ++i) {
            if (line_[i] >= kNotUtf8) {
                char byte[8];
                std::snprintf(
                    byte, sizeof byte, "0x%02X",
                    static_cast<unsigned>(static_cast<std::uint8_t>(line_[i] - kNotUtf8)));
                Error(i, Say(std::string("the byte ") + byte +
                                 " is not UTF-8; save the file as UTF-8 (in Notepad: File, Save "
                                 "as, Encoding: UTF-8; elsewhere, from Windows-1251: iconv -f "
                                 "cp1251 -t utf-8)",
                             std::string("байт ") + byte +
                                 " не из UTF-8; сохраните файл в UTF-8 (в Блокноте: Файл, "
                                 "Сохранить как, Кодировка: UTF-8; иначе из Windows-1251: iconv "
                                 "-f cp1251 -t utf-8)"));
                return;  // once a line: the rest of it is most likely garbled the same way
            }
        }
    }

    void OnQuestionLine(std::size_t begin, std::size_t end) {
        if (FindAnswerColon(line_, begin, end)) {
            if (afterAnswer_) {
                const std::string question = std::to_string(current_.question.line);
                const std::string answer = std::to_string(answerLine_);
                Error(begin, Say("a second ANSWER line; the question on line " + question +
                                     " already has its answer on line " + answer,
                                 "вторая строка ANSWER: у вопроса в строке " + question +
                                     " уже есть ответ в строке " + answer));
            } else {
                Error(begin, Say("an ANSWER line with no question before it",
                                 "строка ANSWER, а перед ней нет вопроса"));
            }
            return;
        }
        afterAnswer_ = false;
        ++count_;
        if (count_ == bankformat::kMaxQuestions + 1 && rule_ == TextRule::Storable) {
            Error(begin, Say("question 32768: a bank holds at most 32767 questions",
                             "вопрос 32768: банк вмещает не больше 32767 вопросов"));
        }
        current_ = AikenQuestion{};
        current_.question = At(begin);
        current_.record.question =
            ReadText(begin, end, {"the question", "вопрос", "в тексте вопроса"});
        next_ = 0;
        expect_ = Expect::Option;
    }

    void OnOptionLine(std::size_t begin, std::size_t end) {
        if (const auto colon = FindAnswerColon(line_, begin, end)) {
            const std::string line = std::to_string(current_.question.line);
            const std::string have = std::to_string(next_);
            Error(begin, Say("the question on line " + line + " has only " + have +
                                 (next_ == 1 ? " option" : " options") + "; it needs five, A to E",
                             "у вопроса в строке " + line + " вариантов только " + have +
                                 ", а нужно пять, от A до E"));
            ReadAnswer(begin, *colon, end);
            return;
        }
        const auto label = ReadLabel(line_, begin, end);
        if (!label) {
            const std::string letter = Letter(next_);
            const std::string line = std::to_string(current_.question.line);
            const std::string expected = Say(
                "expected option " + letter + ", a line starting with \"" + letter + ")\"",
                "ожидался вариант " + letter + ", строка, которая начинается с «" + letter + ")»");
            Error(begin,
                  next_ == 0
                      ? expected + Say("; a question is one line, so join this line to the "
                                       "question on line " +
                                           line,
                                       "; вопрос пишется одной строкой, так что соедините эту "
                                       "строку с вопросом в строке " +
                                           line)
                      : expected + Say(" or \"" + letter + ".\"", " или «" + letter + ".»"));
            return;
        }
        int letter = next_;
        if (label->kind == LabelKind::Cyrillic) {
            Error(begin, Say("label " + Quoted(label->raw) + " is Cyrillic; use the Latin letter " +
                                 Letter(next_),
                             "метка " + QuotedRu(label->raw) +
                                 " кириллическая; напишите латинскую букву " + Letter(next_)));
        } else if (label->kind == LabelKind::LowerLatin) {
            letter = static_cast<int>(label->raw - U'a');
            Error(begin, Say("label " + Quoted(label->raw) +
                                 " is lower case; use the capital letter " + Letter(letter),
                             "метка " + QuotedRu(label->raw) +
                                 " строчная; напишите заглавную букву " + Letter(letter)));
        } else {
            letter = static_cast<int>(label->raw - U'A');
        }
        if (letter > 4) {
            const char32_t raw = U'A' + static_cast<char32_t>(letter);
            Error(begin,
                  Say(Quoted(raw) + " is not an option label; a question has five options, A to E",
                      QuotedRu(raw) + " — не метка варианта; у вопроса пять вариантов, от A до E"));
            return;
        }
        if (letter < next_) {
            Error(begin,
                  Say("a second option " + Letter(letter) +
                          "; a question has one option of each letter, A to E, in order",
                      "второй вариант " + Letter(letter) +
                          "; у вопроса по одному варианту каждой буквы, от A до E, по порядку"));
            return;
        }
        if (letter > next_) {
            Error(begin,
                  Say("expected option " + Letter(next_) + ", found option " + Letter(letter) +
                          "; a question needs all five options, A to E, in order",
                      "ожидался вариант " + Letter(next_) + ", а найден вариант " + Letter(letter) +
                          "; вопросу нужны все пять вариантов, от A до E, по порядку"));
        }
        current_.options[static_cast<std::size_t>(letter)] = At(label->textBegin);
        current_.record.options[static_cast<std::size_t>(letter)] =
            ReadText(label->textBegin, end,
                     {"option " + Letter(letter), "вариант " + Letter(letter),
                      "в варианте " + Letter(letter)});
        next_ = letter + 1;
        if (next_ == 5) {
            expect_ = Expect::Answer;
        }
    }

    void OnAnswerPlace(std::size_t begin, std::size_t end) {
        if (const auto colon = FindAnswerColon(line_, begin, end)) {
            ReadAnswer(begin, *colon, end);
        } else if (ReadLabel(line_, begin, end)) {
            Error(begin, Say("a sixth option; a question has exactly five options, A to E, and "
                             "then its ANSWER line",
                             "шестой вариант; у вопроса ровно пять вариантов, от A до E, а за "
                             "ними строка ANSWER"));
        } else {
            const std::string line = std::to_string(current_.question.line);
            Error(begin, Say("the question on line " + line +
                                 " has no ANSWER line; add \"ANSWER: \" and the letter of the "
                                 "right option after option E",
                             "у вопроса в строке " + line +
                                 " нет строки ANSWER; добавьте после варианта E «ANSWER: » и "
                                 "букву верного варианта"));
            OnQuestionLine(begin, end);
        }
    }

    void ReadAnswer(std::size_t begin, std::size_t colon, std::size_t end) {
        if (!std::equal(line_.begin() + static_cast<long>(begin),
                        line_.begin() + static_cast<long>(begin) + 6, U"ANSWER")) {
            Error(begin, Say("write \"ANSWER\" in capital letters",
                             "напишите «ANSWER» заглавными буквами"));
        }
        std::size_t p = colon;
        while (p < end && IsBlank(line_[p])) {
            ++p;
        }
        const char32_t c = p < end ? line_[p] : 0;
        if (p == end) {
            Error(colon, Say("the ANSWER line names no option; write one of the letters A to E "
                             "after \"ANSWER:\"",
                             "строка ANSWER не называет варианта; напишите после «ANSWER:» одну "
                             "из букв от A до E"));
        } else if (end - p > 1) {
            Error(p, Say("write only the letter of the right option, one of A to E, after "
                         "\"ANSWER:\"",
                         "напишите после «ANSWER:» только букву верного варианта, от A до E"));
        } else if (c >= U'A' && c <= U'E') {
            current_.record.rightOption = static_cast<std::int16_t>(c - U'A' + 1);
        } else if (c >= U'a' && c <= U'e') {
            const std::string capital = Letter(static_cast<int>(c - U'a'));
            Error(p,
                  Say("answer " + Quoted(c) + " is lower case; use the capital letter " + capital,
                      "ответ " + QuotedRu(c) + " строчной буквой; напишите заглавную " + capital));
        } else if (IsCyrillicLabel(c) || c == U'в' || c == U'г' || c == U'д') {
            const std::string latin(1, LatinForCyrillic(c));
            Error(p,
                  Say("answer " + Quoted(c) + " is Cyrillic; use the Latin letter " + latin,
                      "ответ " + QuotedRu(c) + " кириллицей; напишите латинскую букву " + latin));
        } else if (c >= U'1' && c <= U'5') {
            const int index = static_cast<int>(c - U'1');
            const std::string number = std::to_string(index + 1);
            Error(p, Say("the answer is a letter, not a number: write \"" + Letter(index) +
                             "\" for option " + number,
                         "ответ — буква, а не число: для варианта " + number + " напишите «" +
                             Letter(index) + "»"));
        } else {
            Error(p, Say("the answer must be one of the letters A to E, not " + Quoted(c),
                         "ответ — одна из букв от A до E, а не " + QuotedRu(c)));
        }
        result_.questions.push_back(std::move(current_));
        current_.question = result_.questions.back().question;
        expect_ = Expect::Question;
        afterAnswer_ = true;
        answerLine_ = number_;
    }

    // The text as the bank stores it; each problem is reported once per text.
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
            const char32_t c = line_[i];
            std::string problem;
            if (c >= kNotUtf8) {
                continue;  // reported for the whole line
            }
            if (c == U'\t') {
                problem = Say("a tab inside " + what.english + "; use a space",
                              "табуляция " + what.russianIn + "; поставьте пробел");
            } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) {
                problem = Say(
                    "a control character (" + CodePoint(c) + ") in " + what.english + "; remove it",
                    "управляющий знак (" + CodePoint(c) + ") " + what.russianIn + "; удалите его");
            } else if (rule_ == TextRule::Any && c > 0xFFFF) {
                text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                continue;
            } else if (rule_ == TextRule::Storable &&
                       (c > 0xFFFF || !EncodeCp1251(static_cast<char16_t>(c)))) {
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

    std::size_t maxErrors_;
    TextRule rule_;
    Language language_;
    AikenParse result_;
    int number_ = 0;
    std::u32string line_;
    Expect expect_ = Expect::Question;
    AikenQuestion current_;
    int next_ = 0;  // index of the option expected next
    long count_ = 0;
    bool afterAnswer_ = false;  // the last line read was an ANSWER line
    int answerLine_ = 0;
};

}  // namespace

AikenParse ParseAiken(std::string_view source, std::size_t maxErrors, TextRule rule,
                      Language language, const ParseProgress& progress) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (source.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        source.remove_prefix(kByteOrderMark.size());
    }
    // Told every so many bytes rather than every line: the listener may redraw a window.
    constexpr std::size_t kProgressStep = std::size_t{1} << 16;
    std::size_t nextReport = kProgressStep;
    Parser parser(maxErrors, rule, language);
    int number = 1;
    for (std::size_t pos = 0;; ++number) {
        if (progress && pos >= nextReport) {
            nextReport = pos + kProgressStep;
            if (!progress(pos, source.size())) {
                AikenParse cancelled;
                cancelled.cancelled = true;
                return cancelled;
            }
        }
        const std::size_t newline = source.find('\n', pos);
        std::string_view line = source.substr(
            pos, newline == std::string_view::npos ? std::string_view::npos : newline - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!parser.ReadLine(number, line) || newline == std::string_view::npos) {
            break;
        }
        pos = newline + 1;
    }
    return parser.Finish();
}

bool LooksLikeAnswerLine(std::u16string_view text) {
    return FindAnswerColon(text, 0, text.size()).has_value();
}

}  // namespace vornikat::bank
