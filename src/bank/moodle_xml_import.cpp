// SPDX-License-Identifier: MIT
#include "moodle_xml_import.hpp"

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "html_text.hpp"
#include "import_draft.hpp"

namespace vornikat::bank {
namespace {

struct Attribute {
    std::string name;
    std::string value;
};

struct Tag {
    std::string name;
    std::vector<Attribute> attributes;
    bool closing = false;
    bool empty = false;  // <name/>

    std::string Get(std::string_view wanted, std::string fallback = {}) const {
        for (const auto& attribute : attributes) {
            if (attribute.name == wanted) {
                return attribute.value;
            }
        }
        return fallback;
    }
};

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
           c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The tag between "<" and ">", or nothing when it is not well formed.
std::optional<Tag> ParseTag(std::string_view inside) {
    Tag tag;
    std::size_t i = 0;
    if (!inside.empty() && inside[0] == '/') {
        tag.closing = true;
        i = 1;
    }
    if (!inside.empty() && inside.back() == '/' && !tag.closing) {
        tag.empty = true;
        inside.remove_suffix(1);
    }
    const std::size_t nameStart = i;
    while (i < inside.size() && IsNameChar(inside[i])) {
        ++i;
    }
    if (i == nameStart) {
        return std::nullopt;
    }
    tag.name = inside.substr(nameStart, i - nameStart);
    for (;;) {
        while (i < inside.size() && IsSpace(inside[i])) {
            ++i;
        }
        if (i == inside.size()) {
            return tag;
        }
        const std::size_t attrStart = i;
        while (i < inside.size() && IsNameChar(inside[i])) {
            ++i;
        }
        if (i == attrStart || tag.closing) {
            return std::nullopt;
        }
        Attribute attribute{std::string(inside.substr(attrStart, i - attrStart)), {}};
        while (i < inside.size() && IsSpace(inside[i])) {
            ++i;
        }
        if (i == inside.size() || inside[i] != '=') {
            return std::nullopt;
        }
        ++i;
        while (i < inside.size() && IsSpace(inside[i])) {
            ++i;
        }
        if (i == inside.size() || (inside[i] != '"' && inside[i] != '\'')) {
            return std::nullopt;
        }
        const std::size_t close = inside.find(inside[i], i + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        attribute.value = DecodeXmlEntities(inside.substr(i + 1, close - i - 1));
        tag.attributes.push_back(std::move(attribute));
        i = close + 1;
    }
}

// Digits with an optional sign and decimal point, read by hand: the locale's decimal mark must
// not count, and the page's library has no from_chars for doubles.
double FractionOf(const std::string& value) {
    std::size_t at = value.find_first_not_of(" \t\r\n");
    if (at == std::string::npos) {
        return 0;
    }
    const bool negative = value[at] == '-';
    if (value[at] == '-' || value[at] == '+') {
        ++at;
    }
    double fraction = 0;
    double scale = 0;
    for (; at < value.size(); ++at) {
        const char c = value[at];
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            if (scale == 0) {
                fraction = fraction * 10 + (c - '0');
            } else {
                scale /= 10;
                fraction += (c - '0') * scale;
            }
        } else {
            break;
        }
    }
    return negative ? -fraction : fraction;
}

// "plain_text" and "markdown" texts are shown as they stand; HTML and the platform's own
// format may carry tags.
std::string PlainText(const std::string& text, const std::string& format) {
    return format == "plain_text" || format == "markdown" ? text : PlainTextOfHtml(text);
}

struct XmlAnswer {
    double fraction = 0;
    std::string format;
    std::string text;
};

struct XmlQuestion {
    std::string type;
    SourcePosition at;
    std::string format;
    std::string text;
    std::vector<XmlAnswer> answers;
};

class MoodleXmlReader {
  public:
    MoodleXmlReader(std::string_view text, Language language)
        : text_(text), positions_(text), language_(language) {}

    DraftBank Read() {
        std::size_t pos = 0;
        while (!bank_.stoppedEarly) {
            const std::size_t open = text_.find('<', pos);
            Append(text_.substr(pos, open == std::string_view::npos ? open : open - pos), true);
            if (open == std::string_view::npos) {
                break;
            }
            const std::size_t next = ReadMarkup(open);
            if (next == std::string_view::npos) {
                return std::move(bank_);
            }
            pos = next;
        }
        if (!bank_.stoppedEarly && !open_.empty()) {
            Fail(text_.size(), Say("the file ends inside <" + open_.back() + ">",
                                   "файл кончается внутри <" + open_.back() + ">"));
        } else if (!sawQuiz_ && !bank_.stoppedEarly) {
            Fail(0, Say("this is not a Moodle XML quiz: it has no <quiz> element",
                        "это не тест в формате Moodle XML: в нём нет элемента <quiz>"));
        }
        return std::move(bank_);
    }

  private:
    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    void Fail(std::size_t offset, std::string message) {
        AddError(bank_, positions_.At(offset), std::move(message));
    }

    // Text of the element being read, if it is one the quiz takes.
    void Append(std::string_view text, bool withEntities) {
        if (target_ == Target::None || !question_) {
            return;
        }
        std::string& into =
            target_ == Target::Question ? question_->text : question_->answers.back().text;
        into += withEntities ? DecodeXmlEntities(text) : std::string(text);
    }

    // Reads the markup starting at text_[open] ("<"); the offset after it, or npos once the
    // text cannot be read on.
    std::size_t ReadMarkup(std::size_t open) {
        const auto skipTo = [&](std::string_view end, const char* english, const char* russian) {
            const std::size_t close = text_.find(end, open);
            if (close == std::string_view::npos) {
                Fail(open, Say(english, russian));
                return std::string_view::npos;
            }
            return close + end.size();
        };
        if (text_.compare(open, 4, "<!--") == 0) {
            return skipTo("-->", "a comment \"<!--\" is not closed by \"-->\"",
                          "комментарий «<!--» не закрыт «-->»");
        }
        if (text_.compare(open, 9, "<![CDATA[") == 0) {
            const std::size_t end =
                skipTo("]]>", "a \"<![CDATA[\" section is not closed by \"]]>\"",
                       "раздел «<![CDATA[» не закрыт «]]>»");
            if (end != std::string_view::npos) {
                Append(text_.substr(open + 9, end - 3 - open - 9), false);
            }
            return end;
        }
        if (text_.compare(open, 2, "<?") == 0) {
            return skipTo("?>", "a \"<?\" is not closed by \"?>\"", "«<?» не закрыт «?>»");
        }
        if (text_.compare(open, 2, "<!") == 0) {
            // A document type: its declarations are not read, so no entity of its own expands.
            const std::size_t close = text_.find('>', open);
            const std::size_t bracket =
                text_.substr(open, close == std::string_view::npos ? close : close - open)
                    .find('[');
            if (bracket != std::string_view::npos) {
                return skipTo("]>", "a \"<!DOCTYPE\" is not closed", "«<!DOCTYPE» не закрыт");
            }
            return skipTo(">", "a \"<!\" is not closed by \">\"", "«<!» не закрыт «>»");
        }
        const std::size_t close = FindTagEnd(text_, open);
        const auto tag = close == std::string_view::npos
                             ? std::nullopt
                             : ParseTag(text_.substr(open + 1, close - open - 1));
        if (!tag) {
            Fail(open, Say("a \"<\" that starts no well-formed tag; in text write \"&lt;\"",
                           "«<», с которого не начинается правильный тег; в тексте пишите «&lt;»"));
            return std::string_view::npos;
        }
        if (tag->closing) {
            if (open_.empty() || open_.back() != tag->name) {
                Fail(open,
                     open_.empty()
                         ? Say("</" + tag->name + "> closes nothing",
                               "</" + tag->name + "> ничего не закрывает")
                         : Say("</" + tag->name + "> where </" + open_.back() + "> was expected",
                               "</" + tag->name + "> там, где ожидался </" + open_.back() + ">"));
                return std::string_view::npos;
            }
            Close();
        } else {
            Open(*tag, open);
            if (tag->empty) {
                Close();
            }
        }
        return close + 1;
    }

    std::string_view Parent() const {
        return open_.size() < 2 ? std::string_view() : std::string_view(open_[open_.size() - 2]);
    }

    void Open(const Tag& tag, std::size_t offset) {
        open_.push_back(tag.name);
        sawQuiz_ = sawQuiz_ || tag.name == "quiz";
        if (tag.name == "question" && !question_) {
            question_ = XmlQuestion{};
            question_->type = tag.Get("type");
            question_->at = positions_.At(offset);
            questionDepth_ = open_.size();
        }
        if (!question_) {
            return;
        }
        const bool inQuestion = Parent() == "question" && open_.size() == questionDepth_ + 1;
        if (inQuestion && tag.name == "questiontext") {
            question_->format = tag.Get("format", "html");
        } else if (inQuestion && tag.name == "answer") {
            question_->answers.push_back(
                {FractionOf(tag.Get("fraction")), tag.Get("format", "html"), {}});
        } else if (tag.name == "text" && Parent() == "questiontext" &&
                   open_.size() == questionDepth_ + 2) {
            target_ = Target::Question;
            targetDepth_ = open_.size();
        } else if (tag.name == "text" && Parent() == "answer" &&
                   open_.size() == questionDepth_ + 2) {
            target_ = Target::Answer;
            targetDepth_ = open_.size();
        }
    }

    void Close() {
        // Tags inside a text (HTML written without CDATA) leave their words in it.
        if (open_.size() == targetDepth_) {
            target_ = Target::None;
        }
        if (question_ && open_.size() == questionDepth_) {
            Finish(*question_);
            question_.reset();
        }
        open_.pop_back();
    }

    void Finish(const XmlQuestion& question) {
        if (question.type == "category") {
            return;
        }
        int right = 0;
        int rights = 0;
        bool partial = false;
        for (std::size_t k = 0; k < question.answers.size(); ++k) {
            const double fraction = question.answers[k].fraction;
            if (fraction >= 99.99) {
                ++rights;
                right = static_cast<int>(k) + 1;
            } else if (fraction > 0) {
                partial = true;
            }
        }
        // The quiz has one right option and no part marks.
        if (question.type != "multichoice" || rights != 1 || partial) {
            ++bank_.skipped;
            return;
        }
        std::vector<std::string> options;
        for (const auto& answer : question.answers) {
            options.push_back(PlainText(answer.text, answer.format));
        }
        bank_.questions.push_back(MakeDraftQuestion(PlainText(question.text, question.format),
                                                    options, right, question.at));
    }

    std::string_view text_;
    PositionFinder positions_;
    Language language_;
    DraftBank bank_;
    std::vector<std::string> open_;
    std::optional<XmlQuestion> question_;
    std::size_t questionDepth_ = 0;
    enum class Target { None, Question, Answer };
    Target target_ = Target::None;
    std::size_t targetDepth_ = 0;
    bool sawQuiz_ = false;
};

}  // namespace

DraftBank ReadMoodleXml(std::string_view text, Language language) {
    return MoodleXmlReader(text, language).Read();
}

}  // namespace vornikat::bank
