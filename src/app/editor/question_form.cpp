// SPDX-License-Identifier: MIT
#include "question_form.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "issue_text.hpp"
#include "readable_colors.hpp"

namespace vornikat::editor {
namespace {

// A text of the bank may be longer than a line edit takes by default; the checks, not the
// field, tell the author the limit.
constexpr int kFieldLimit = 1 << 20;

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A flagged field's background is the palette's own tinted with the mark's colour, light or
// dark as the theme is, and its text is set with it so that the two always read together.
void MarkField(QPalette& palette, const QColor& mark) {
    const QColor base = palette.color(QPalette::Base);
    const double share = IsDark(base) ? 0.3 : 0.15;
    const QColor tint =
        QColor::fromRgbF(static_cast<float>(base.redF() * (1 - share) + mark.redF() * share),
                         static_cast<float>(base.greenF() * (1 - share) + mark.greenF() * share),
                         static_cast<float>(base.blueF() * (1 - share) + mark.blueF() * share));
    palette.setColor(QPalette::Base, tint);
    palette.setColor(QPalette::Text, ReadableOn(palette.color(QPalette::Text), tint));
}

QLabel* MakeIssueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->hide();
    return label;
}

}  // namespace

QuestionForm::QuestionForm(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    rightGroup_ = new QButtonGroup(this);
    int line = 0;
    for (int field = 0; field < 6; ++field) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(kFieldLimit);
        edit->setObjectName(field == 0 ? QStringLiteral("questionText")
                                       : QStringLiteral("option%1Text").arg(field));
        texts_[static_cast<std::size_t>(field)] = edit;
        if (field == 0) {
            auto* caption = new QLabel(QStringLiteral("&Вопрос:"), this);
            caption->setBuddy(edit);
            grid->addWidget(caption, line, 0);
        } else {
            auto* right = new QRadioButton(QStringLiteral("Вариант &%1:").arg(field), this);
            right->setObjectName(QStringLiteral("option%1Right").arg(field));
            right->setToolTip(QStringLiteral("Отметьте верный вариант"));
            rightGroup_->addButton(right, field);
            rights_[static_cast<std::size_t>(field - 1)] = right;
            // The radio button beside it is the choice of the right option, not its label.
            edit->setAccessibleName(QStringLiteral("Вариант %1").arg(field));
            grid->addWidget(right, line, 0);
        }
        grid->addWidget(edit, line, 1);
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { emit textEdited(field, text); });
        auto* issues = MakeIssueLabel(this);
        issueLabels_[static_cast<std::size_t>(field)] = issues;
        grid->addWidget(issues, line + 1, 1);
        line += 2;
    }
    auto* hint = new QLabel(QStringLiteral("Кружком слева отмечен верный вариант."), this);
    grid->addWidget(hint, line, 1);
    issueLabels_[bank::kRightOptionField] = MakeIssueLabel(this);
    grid->addWidget(issueLabels_[bank::kRightOptionField], line + 1, 1);
    grid->setRowStretch(line + 2, 1);
    connect(rightGroup_, &QButtonGroup::idClicked, this,
            [this](int option) { emit rightOptionChosen(option); });
}

void QuestionForm::ShowQuestion(const QuestionRecord& question,
                                const std::vector<bank::FieldIssue>& issues) {
    for (int field = 0; field < 6; ++field) {
        QLineEdit& edit = TextField(field);
        const QString text = ToQString(
            field == 0 ? question.question : question.options[static_cast<std::size_t>(field - 1)]);
        if (edit.text() != text) {
            edit.setText(text);
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
    ShowRightOption(0);
    ShowIssues({});
}

void QuestionForm::FocusField(int field) {
    if (field == bank::kRightOptionField) {
        rights_[0]->setFocus();
        return;
    }
    TextField(field).setFocus();
}

QLineEdit& QuestionForm::TextField(int field) const {
    return *texts_.at(static_cast<std::size_t>(field));
}

QRadioButton& QuestionForm::RightChoice(int option) const {
    return *rights_.at(static_cast<std::size_t>(option - 1));
}

QString QuestionForm::IssuesShownAt(int field) const {
    const QLabel* label = issueLabels_.at(static_cast<std::size_t>(field));
    return label->isVisibleTo(this) ? label->text() : QString();
}

void QuestionForm::ShowIssues(const std::vector<bank::FieldIssue>& issues) {
    std::array<QStringList, 7> texts;
    std::array<bool, 7> errors{};
    for (const auto& issue : issues) {
        const auto field = static_cast<std::size_t>(issue.field);
        const bool error = issue.severity == bank::Severity::Error;
        texts[field] << (error ? QStringLiteral("Ошибка: ") : QStringLiteral("Внимание: ")) +
                            DescribeIssue(issue);
        errors[field] = errors[field] || error;
    }
    for (std::size_t field = 0; field < texts.size(); ++field) {
        QLabel* label = issueLabels_[field];
        label->setText(texts[field].join('\n'));
        label->setVisible(!texts[field].isEmpty());
        const QColor mark = errors[field] ? QColor(0xC0, 0, 0) : QColor(0x90, 0x58, 0x00);
        QPalette palette = QApplication::palette(label);
        palette.setColor(QPalette::WindowText, ReadableOn(mark, palette.color(QPalette::Window)));
        label->setPalette(palette);
        if (field < texts_.size()) {
            // The field itself is marked too, so a glance down the form finds it.
            QPalette fieldPalette = QApplication::palette(texts_[field]);
            if (!texts[field].isEmpty()) {
                MarkField(fieldPalette, mark);
            }
            texts_[field]->setPalette(fieldPalette);
            // A screen reader says the field's problems with the field.
            texts_[field]->setAccessibleDescription(label->text());
        }
    }
}

void QuestionForm::ShowRightOption(int option) {
    if (option >= 1 && option <= 5) {
        rights_[static_cast<std::size_t>(option - 1)]->setChecked(true);
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
