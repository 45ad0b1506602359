// SPDX-License-Identifier: MIT
// The issues of one field, under it, wrapped whole at word ends however narrow the form. Room
// for a few lines stays under every field, so that the form keeps still as ordinary issues come
// and go; a longer text takes the lines it needs.
#pragma once

#include <QLabel>

namespace vornikat::editor {

class IssueLabel final : public QLabel {
  public:
    IssueLabel(int lines, QWidget* parent);

    void SetIssues(const QString& text);
    QString Issues() const { return issues_; }

  private:
    QString issues_;
};

}  // namespace vornikat::editor
