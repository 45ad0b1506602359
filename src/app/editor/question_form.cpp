// SPDX-License-Identifier: MIT
#include "question_form.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "aiken_parser.hpp"
#include "issue_label.hpp"
#include "issue_text.hpp"
#include "issue_words.hpp"
#include "qt_text.hpp"

namespace vornikat::editor {
namespace {

// A text of the bank may be longer than a line edit takes by default; the checks, not the
// field, tell the author the limit.
constexpr int kFieldLimit = static_cast<int>(bank::kMaxDraftTextLength);

// Room for two lines stays under every field, whether it has issues or not.
constexpr int kIssueLines = 2;

}  // namespace

QuestionForm::QuestionForm(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    rightGroup_ = new QButtonGroup(this);
    int line = 0;
    for (int field = bank::kQuestionField; field < bank::kTextFieldCount; ++field) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(kFieldLimit);
        edit->setObjectName(field == bank::kQuestionField
                                ? QStringLiteral("questionText")
                                : QStringLiteral("option%1Text").arg(field));
        texts_[static_cast<std::size_t>(field)] = edit;
        if (field == bank::kQuestionField) {
            auto* caption = new QLabel(QStringLiteral("&Вопрос:"), this);
            caption->setBuddy(edit);
            grid->addWidget(caption, line, 0);
        } else {
            auto* right = new QRadioButton(QStringLiteral("Вариант &%1:").arg(field), this);
            right->setObjectName(QStringLiteral("option%1Right").arg(field));
            right->setToolTip(QStringLiteral("Отметьте верный вариант (Alt+%1)").arg(field));
            // Tab goes from text to text: the right option is chosen by its Alt key or a click,
            // never by letters typed on it.
            right->setFocusPolicy(Qt::NoFocus);
            // Its Alt key chooses at once: the button's own answer to it comes a tenth of a
            // second later, when a quick hand may have gone on to another question.
            right->installEventFilter(this);
            rightGroup_->addButton(right, field);
            rights_[static_cast<std::size_t>(field - 1)] = right;
            // The radio button beside it is the choice of the right option, not its label.
            edit->setAccessibleName(QStringLiteral("Вариант %1").arg(field));
            grid->addWidget(right, line, 0);
        }
        grid->addWidget(edit, line, 1);
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { emit textEdited(field, text); });
        auto* issues = new IssueLabel(kIssueLines, this);
        issueLabels_[static_cast<std::size_t>(field)] = issues;
        grid->addWidget(issues, line + 1, 1);
        line += 2;
    }
    // A draft's option past the fifth: no right option may be it, so it has no choice beside it.
    extraCaption_ = new QLabel(QStringLiteral("Вариант &6:"), this);
    extraText_ = new QLineEdit(this);
    extraText_->setMaxLength(kFieldLimit);
    extraText_->setObjectName(QStringLiteral("option6Text"));
    extraCaption_->setBuddy(extraText_);
    grid->addWidget(extraCaption_, line, 0);
    grid->addWidget(extraText_, line, 1);
    connect(extraText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { emit textEdited(bank::kExtraOptionField, text); });
    issueLabels_[bank::kExtraOptionField] = new IssueLabel(kIssueLines, this);
    grid->addWidget(issueLabels_[bank::kExtraOptionField], line + 1, 1);
    line += 2;
    ShowExtraOption({});
    for (int field = bank::kQuestionField; field + 1 < bank::kTextFieldCount; ++field) {
        setTabOrder(texts_[static_cast<std::size_t>(field)],
                    texts_[static_cast<std::size_t>(field + 1)]);
    }
    setTabOrder(texts_.back(), extraText_);
    auto* hint = new QLabel(
        QStringLiteral("Верный вариант отмечен кружком слева: щелчок или Alt с его цифрой."), this);
    hint->setWordWrap(true);
    grid->addWidget(hint, line, 1);
    issueLabels_[bank::kRightOptionField] = new IssueLabel(kIssueLines, this);
    grid->addWidget(issueLabels_[bank::kRightOptionField], line + 1, 1);
    grid->setRowStretch(line + 2, 1);
    connect(rightGroup_, &QButtonGroup::idClicked, this,
            [this](int option) { emit rightOptionChosen(option); });
}

bool QuestionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const int option = rightGroup_->id(qobject_cast<QAbstractButton*>(watched));
        if (option > 0) {
            emit rightOptionChosen(option);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionForm::ShowQuestion(const bank::DraftQuestion& draft,
                                const std::vector<bank::FieldIssue>& issues) {
    const QuestionRecord& question = draft.record;
    ShowExtraOption(draft.extraOptions);
    for (int field = bank::kQuestionField; field < bank::kTextFieldCount; ++field) {
        QLineEdit& edit = TextField(field);
        const QString text = ToQString(bank::TextOf(question, field));
        if (edit.text() != text) {
            edit.setText(text);
            // Another question's text is read from its start; undo leaves the cursor at the
            // end of the field being typed in.
            if (!edit.hasFocus()) {
                edit.setCursorPosition(0);
            }
        }
        edit.setEnabled(true);
    }
    for (QRadioButton* right : rights_) {
        right->setEnabled(true);
    }
    ShowRightOption(question.rightOption);
    ShowIssues(issues);
}

void QuestionForm::ShowNothing() {
    for (QLineEdit* edit : texts_) {
        edit->clear();
        edit->setEnabled(false);
    }
    for (QRadioButton* right : rights_) {
        right->setEnabled(false);
    }
    ShowExtraOption({});
    ShowRightOption(0);
    ShowIssues({});
}

void QuestionForm::FocusField(int field) {
    // The right option is chosen from the keyboard by Alt and its number, from any field.
    TextField(field == bank::kRightOptionField ? bank::kFirstOptionField : field).setFocus();
}

QLineEdit& QuestionForm::TextField(int field) const {
    return field == bank::kExtraOptionField ? *extraText_
                                            : *texts_.at(static_cast<std::size_t>(field));
}

QLineEdit* QuestionForm::EditOf(int field) const {
    return field == bank::kRightOptionField ? nullptr : &TextField(field);
}

void QuestionForm::ShowExtraOption(const std::vector<std::u16string>& extra) {
    const bool shown = !extra.empty();
    const QString text = shown ? ToQString(extra.front()) : QString();
    if (extraText_->text() != text) {
        extraText_->setText(text);
    }
    extraCaption_->setVisible(shown);
    extraText_->setVisible(shown);
    issueLabels_[bank::kExtraOptionField]->setVisible(shown);
}

QRadioButton& QuestionForm::RightChoice(int option) const {
    return *rights_.at(static_cast<std::size_t>(option - bank::kFirstOptionField));
}

QString QuestionForm::IssuesShownAt(int field) const {
    return issueLabels_.at(static_cast<std::size_t>(field))->Issues();
}

void QuestionForm::ShowIssues(const std::vector<bank::FieldIssue>& issues) {
    std::array<QStringList, bank::kFieldCount> texts;
    std::array<bool, bank::kFieldCount> errors{};
    for (const auto& issue : issues) {
        const auto field = static_cast<std::size_t>(issue.field);
        texts[field] << QString::fromStdString(bank::DescribeAtField(issue));
        errors[field] = errors[field] || bank::IsError(issue);
    }
    for (std::size_t field = 0; field < texts.size(); ++field) {
        const bank::Severity severity =
            errors[field] ? bank::Severity::Error : bank::Severity::Warning;
        IssueLabel* label = issueLabels_[field];
        label->SetIssues(texts[field].join('\n'));
        QPalette palette = QApplication::palette(label);
        palette.setColor(QPalette::WindowText,
                         IssueColour(severity, palette.color(QPalette::Window)));
        label->setPalette(palette);
        if (QLineEdit* edit = EditOf(static_cast<int>(field))) {
            // The field itself is marked too, so a glance down the form finds it.
            QPalette fieldPalette = QApplication::palette(edit);
            if (!texts[field].isEmpty()) {
                MarkFlaggedField(fieldPalette, severity);
            }
            edit->setPalette(fieldPalette);
            // A screen reader says the field's problems with the field.
            edit->setAccessibleDescription(texts[field].join('\n'));
        }
    }
}

void QuestionForm::ShowRightOption(int option) {
    if (option >= bank::kFirstOptionField && option <= bank::kLastOptionField) {
        RightChoice(option).setChecked(true);
        return;
    }
    // A bank read from a data.bin may name no option of the five: none is shown chosen.
    rightGroup_->setExclusive(false);
    for (QRadioButton* right : rights_) {
        right->setChecked(false);
    }
    rightGroup_->setExclusive(true);
}

}  // namespace vornikat::editor
