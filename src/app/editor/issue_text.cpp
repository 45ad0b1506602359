// SPDX-License-Identifier: MIT
#include "issue_text.hpp"

#include "bank_format.hpp"
#include "readable_colors.hpp"
#include "russian_plural.hpp"

namespace vornikat::editor {
namespace {

QString NameCharacter(char32_t c) {
    const QString code =
        QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
        return code;
    }
    return QStringLiteral("«%1» (%2)").arg(QString::fromUcs4(&c, 1), code);
}

}  // namespace

QString NameField(int field) {
    if (field == bank::kQuestionField) {
        return QStringLiteral("Вопрос");
    }
    if (field == bank::kRightOptionField) {
        return QStringLiteral("Верный вариант");
    }
    return QStringLiteral("Вариант %1")
        .arg(field == bank::kExtraOptionField ? bank::kOptionCount + 1 : field);
}

QString DescribeIssue(const bank::FieldIssue& issue) {
    switch (issue.kind) {
        case bank::IssueKind::NotInCodePage:
            return QStringLiteral(
                       "знак %1 в позиции %2 не входит в кодировку Windows-1251, "
                       "и викторина не может его показать; замените его")
                .arg(NameCharacter(issue.character))
                .arg(issue.position + 1);
        case bank::IssueKind::TooLong:
            return QStringLiteral("%1 знаков, а текст банка вмещает не больше %2")
                .arg(issue.amount)
                .arg(bankformat::kMaxTextLength);
        case bank::IssueKind::Empty:
            return issue.field == bank::kQuestionField
                       ? QStringLiteral(
                             "текст пуст: викторина покажет пустое место, а текст "
                             "Aiken не сохранит вопрос без текста")
                       : QStringLiteral("текст пуст, и викторина покажет пустое место");
        case bank::IssueKind::MayNotFit:
            if (issue.field != bank::kQuestionField) {
                return QStringLiteral(
                           "шириной %1 %2, а кнопка варианта показывает %3: викторина "
                           "обрежет вариант; сократите его")
                    .arg(issue.room.taken)
                    .arg(QString::fromUtf8(
                        bank::RussianPlural(issue.room.taken, "пиксель", "пикселя", "пикселей")))
                    .arg(issue.room.shown);
            }
            if (issue.room.wordTooWide) {
                return QStringLiteral(
                    "слово шире окна: викторина обрежет его с обеих сторон; разбейте или "
                    "сократите его");
            }
            return QStringLiteral(
                       "займёт %1 %2, а окно показывает %3: викторина обрежет вопрос; "
                       "сократите его")
                .arg(issue.room.taken)
                .arg(QString::fromUtf8(
                    bank::RussianPlural(issue.room.taken, "строку", "строки", "строк")))
                .arg(issue.room.shown);
        case bank::IssueKind::ControlCharacter:
            return QStringLiteral(
                       "управляющий знак %1 в позиции %2: строка текста Aiken не "
                       "может его передать")
                .arg(NameCharacter(issue.character))
                .arg(issue.position + 1);
        case bank::IssueKind::BlankAtEdge:
            return QStringLiteral("пробел в начале или в конце: текст Aiken его не сохранит");
        case bank::IssueKind::LooksLikeAnswer:
            return QStringLiteral("текст Aiken прочтёт этот вопрос как строку ANSWER");
        case bank::IssueKind::QuestionCount:
            if (issue.amount < 1) {
                return QStringLiteral("в банке нет ни одного вопроса, а нужен хотя бы один");
            }
            return QStringLiteral("в банке %1 %2, а он вмещает не больше %3")
                .arg(issue.amount)
                .arg(QString::fromUtf8(
                    bank::RussianPlural(issue.amount, "вопрос", "вопроса", "вопросов")))
                .arg(bankformat::kMaxQuestions);
        case bank::IssueKind::EmptyRightOption:
            return QStringLiteral("верный вариант пуст: засчитан будет только выбор пустой строки");
        case bank::IssueKind::NoRightOption:
            return QStringLiteral(
                "верный вариант не выбран: отметьте его кружком слева или Alt с его цифрой");
        case bank::IssueKind::MissingOption:
            return QStringLiteral(
                "этого варианта нет в исходном файле, а викторине нужны все "
                "пять: впишите его");
        case bank::IssueKind::ExtraOption:
            // Short enough for the two lines under the field.
            if (issue.amount > 1) {
                return QStringLiteral(
                           "лишние варианты, ещё %1 сверх пяти: викторина показывает пять; "
                           "перенесите нужное в пять и сотрите лишние по одному")
                    .arg(issue.amount);
            }
            return QStringLiteral(
                "лишний, шестой вариант: викторина показывает пять; перенесите текст в один из "
                "них или сотрите его");
        case bank::IssueKind::RightIsExtra:
            return QStringLiteral(
                       "верным назван вариант %1, а викторина показывает пять: выберите верный "
                       "из пяти")
                .arg(issue.amount);
        case bank::IssueKind::RightOutOfRange:
            return QStringLiteral(
                       "номер верного варианта %1 вне 1–5: ни один ответ не будет "
                       "засчитан; выберите верный вариант")
                .arg(issue.amount);
    }
    return {};
}

QString IssuePrefix(bank::Severity severity) {
    return severity == bank::Severity::Error ? QStringLiteral("Ошибка:")
                                             : QStringLiteral("Внимание:");
}

QColor IssueColour(bank::Severity severity, const QColor& background) {
    return ReadableOn(
        severity == bank::Severity::Error ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00),
        background);
}

void MarkFlaggedField(QPalette& palette, bank::Severity severity) {
    const QColor mark =
        severity == bank::Severity::Error ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00);
    const QColor base = palette.color(QPalette::Base);
    const double share = IsDark(base) ? 0.3 : 0.15;
    const QColor tint =
        QColor::fromRgbF(static_cast<float>(base.redF() * (1 - share) + mark.redF() * share),
                         static_cast<float>(base.greenF() * (1 - share) + mark.greenF() * share),
                         static_cast<float>(base.blueF() * (1 - share) + mark.blueF() * share));
    palette.setColor(QPalette::Base, tint);
    palette.setColor(QPalette::Text, ReadableOn(palette.color(QPalette::Text), tint));
}

}  // namespace vornikat::editor
