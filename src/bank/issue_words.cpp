// SPDX-License-Identifier: MIT
#include "issue_words.hpp"

#include <cstdio>

#include "bank_format.hpp"
#include "russian_plural.hpp"
#include "utf8_text.hpp"

namespace vornikat::bank {
namespace {

std::string NameCharacter(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
        return code;
    }
    return "«" + Utf8Of(c) + "» (" + code + ")";
}

std::string Plural(int count, std::string_view one, std::string_view few, std::string_view many) {
    return std::string(RussianPlural(count, one, few, many));
}

std::string Number(int value) {
    return std::to_string(value);
}

}  // namespace

std::string NameField(int field) {
    if (field == kQuestionField) {
        return "Вопрос";
    }
    if (field == kRightOptionField) {
        return "Верный вариант";
    }
    return "Вариант " + Number(field == kExtraOptionField ? kOptionCount + 1 : field);
}

std::string DescribeIssue(const FieldIssue& issue) {
    switch (issue.kind) {
        case IssueKind::NotInCodePage:
            return "знак " + NameCharacter(issue.character) + " в позиции " +
                   Number(issue.position + 1) +
                   " не входит в кодировку Windows-1251, и викторина не может его показать; "
                   "замените его";
        case IssueKind::TooLong:
            return Number(issue.amount) + " знаков, а текст банка вмещает не больше " +
                   Number(bankformat::kMaxTextLength);
        case IssueKind::Empty:
            return issue.field == kQuestionField
                       ? "текст пуст: викторина покажет пустое место, а текст Aiken не сохранит "
                         "вопрос без текста"
                       : "текст пуст, и викторина покажет пустое место";
        case IssueKind::MayNotFit:
            if (issue.field != kQuestionField) {
                return "шириной " + Number(issue.room.taken) + " " +
                       Plural(issue.room.taken, "пиксель", "пикселя", "пикселей") +
                       ", а кнопка варианта показывает " + Number(issue.room.shown) +
                       ": викторина обрежет вариант; сократите его";
            }
            if (issue.room.wordTooWide) {
                return "слово шире окна: викторина обрежет его с обеих сторон; разбейте или "
                       "сократите его";
            }
            return "займёт " + Number(issue.room.taken) + " " +
                   Plural(issue.room.taken, "строку", "строки", "строк") + ", а окно показывает " +
                   Number(issue.room.shown) + ": викторина обрежет вопрос; сократите его";
        case IssueKind::ControlCharacter:
            return "управляющий знак " + NameCharacter(issue.character) + " в позиции " +
                   Number(issue.position + 1) + ": строка текста Aiken не может его передать";
        case IssueKind::BlankAtEdge:
            return "пробел в начале или в конце: текст Aiken его не сохранит";
        case IssueKind::LooksLikeAnswer:
            return "текст Aiken прочтёт этот вопрос как строку ANSWER";
        case IssueKind::QuestionCount:
            if (issue.amount < 1) {
                return "в банке нет ни одного вопроса, а нужен хотя бы один";
            }
            return "в банке " + Number(issue.amount) + " " +
                   Plural(issue.amount, "вопрос", "вопроса", "вопросов") +
                   ", а он вмещает не больше " + Number(bankformat::kMaxQuestions);
        case IssueKind::EmptyRightOption:
            return "верный вариант пуст: засчитан будет только выбор пустой строки";
        case IssueKind::NoRightOption:
            return "верный вариант не выбран: отметьте его кружком слева или Alt с его цифрой";
        case IssueKind::MissingOption:
            return "этого варианта нет в исходном файле, а викторине нужны все пять: впишите его";
        case IssueKind::ExtraOption:
            // Short enough for the two lines under the field.
            if (issue.amount > 1) {
                return "лишние варианты, ещё " + Number(issue.amount) +
                       " сверх пяти: викторина показывает пять; перенесите нужное в пять и "
                       "сотрите лишние по одному";
            }
            return "лишний, шестой вариант: викторина показывает пять; перенесите текст в один "
                   "из них или сотрите его";
        case IssueKind::RightIsExtra:
            return "верным назван вариант " + Number(issue.amount) +
                   ", а викторина показывает пять: выберите верный из пяти";
        case IssueKind::RightOutOfRange:
            return "номер верного варианта " + Number(issue.amount) +
                   " вне 1–5: ни один ответ не будет засчитан; выберите верный вариант";
    }
    return {};
}

std::string IssuePrefix(Severity severity) {
    return severity == Severity::Error ? "Ошибка:" : "Внимание:";
}

std::string DescribeAtField(const FieldIssue& issue) {
    return IssuePrefix(issue.severity) + " " + DescribeIssue(issue);
}

std::string DescribeInList(int question, const FieldIssue& issue) {
    if (question < 0) {
        return IssuePrefix(issue.severity) + " " + DescribeIssue(issue) + ".";
    }
    return IssuePrefix(issue.severity) + " вопрос " + Number(question + 1) + ", " +
           WithSmallFirst(NameField(issue.field)) + ": " + DescribeIssue(issue);
}

std::vector<std::string> DescribeIssues(const std::vector<PlacedIssue>& issues,
                                        const std::function<bool(const FieldIssue&)>& which,
                                        int limit) {
    std::vector<std::string> lines;
    int found = 0;
    for (const PlacedIssue& placed : issues) {
        if (which(placed.issue) && found++ < limit) {
            lines.push_back(DescribeInList(placed.question, placed.issue));
        }
    }
    if (found > static_cast<int>(lines.size())) {
        lines.push_back("…и ещё " + Number(found - static_cast<int>(lines.size())));
    }
    return lines;
}

}  // namespace vornikat::bank
