// SPDX-License-Identifier: MIT
#include "issue_text.hpp"

#include "bank_format.hpp"
#include "layout_fit.hpp"

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
    return QStringLiteral("Вариант %1").arg(field);
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
            return QStringLiteral("текст пуст, и викторина покажет пустое место");
        case bank::IssueKind::MayNotFit:
            if (issue.field == bank::kQuestionField) {
                return QStringLiteral(
                           "займёт около %1 строк, а окно показывает %2; сократите "
                           "вопрос")
                    .arg(issue.amount)
                    .arg(bank::kQuestionLines);
            }
            return QStringLiteral(
                       "шириной около %1 пикселей, а кнопка варианта показывает одну "
                       "строку около %2; сократите вариант")
                .arg(issue.amount)
                .arg(bank::kOptionWidthPx);
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
        case bank::IssueKind::RightOutOfRange:
            return QStringLiteral(
                       "номер верного варианта %1 вне 1–5: ни один ответ не будет "
                       "засчитан; выберите верный вариант")
                .arg(issue.amount);
    }
    return {};
}

QString DescribeQuestionCount(int count) {
    if (count < 1) {
        return QStringLiteral("В банке нет ни одного вопроса, а нужен хотя бы один.");
    }
    if (count > bankformat::kMaxQuestions) {
        return QStringLiteral("В банке %1 вопросов, а он вмещает не больше %2.")
            .arg(count)
            .arg(bankformat::kMaxQuestions);
    }
    return {};
}

}  // namespace vornikat::editor
