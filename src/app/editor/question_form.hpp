// SPDX-License-Identifier: MIT
// The form of one question: its text, its five options, and the choice of the right one, each
// with its checks shown beneath it; a sixth option only while a draft's question has one, for
// the author to move or clear. Tab goes from text to text.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "draft_bank.hpp"
#include "question_check.hpp"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vornikat::editor {

class IssueLabel;

class QuestionForm final : public QWidget {
    Q_OBJECT

  public:
    explicit QuestionForm(QWidget* parent = nullptr);

    // Fields the author is typing in keep their cursor: only texts that differ are replaced.
    void ShowQuestion(const bank::DraftQuestion& question,
                      const std::vector<bank::FieldIssue>& issues);
    // No question to show: the fields are empty and cannot be edited.
    void ShowNothing();
    void FocusField(int field);

    QLineEdit& TextField(int field) const;
    QRadioButton& RightChoice(int option) const;
    // The checks shown at a field, empty when it has none.
    QString IssuesShownAt(int field) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void textEdited(int field, const QString& text);
    void rightOptionChosen(int option);

  private:
    void ShowIssues(const std::vector<bank::FieldIssue>& issues);
    void ShowRightOption(int option);
    void ShowExtraOption(const std::vector<std::u16string>& extra);
    // The text field of a field, none for the right option's.
    QLineEdit* EditOf(int field) const;

    std::array<QLineEdit*, bank::kTextFieldCount> texts_{};
    QLabel* extraCaption_ = nullptr;
    QLineEdit* extraText_ = nullptr;
    std::array<IssueLabel*, bank::kFieldCount> issueLabels_{};
    std::array<QRadioButton*, bank::kOptionCount> rights_{};
    QButtonGroup* rightGroup_ = nullptr;
};

}  // namespace vornikat::editor
