// SPDX-License-Identifier: MIT
// The issues of one field in a room of fixed height under it, so that the form never moves as
// they come and go: a text longer than the room ends in "…", and the tool tip holds it whole.
#pragma once

#include <QLabel>

namespace vornikat::editor {

class IssueLabel final : public QLabel {
  public:
    IssueLabel(int lines, QWidget* parent);

    void SetIssues(const QString& text);
    QString Issues() const { return issues_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowElided();

    int lines_;
    QString issues_;
};

}  // namespace vornikat::editor
