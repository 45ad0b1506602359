// SPDX-License-Identifier: MIT
// The changes an author makes to a bank, as undoable commands. Typing in one field of one
// question merges into one command until another change comes, so undo takes back what was
// typed there rather than a letter at a time.
#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <string>

#include "draft_bank.hpp"

namespace vornikat::editor {

class BankDocument;

class EditTextCommand final : public QUndoCommand {
  public:
    EditTextCommand(BankDocument& document, int row, int field, std::u16string text);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

  private:
    BankDocument& document_;
    int row_;
    int field_;
    std::u16string before_;
    std::u16string after_;
};

class ChooseRightOptionCommand final : public QUndoCommand {
  public:
    ChooseRightOptionCommand(BankDocument& document, int row, std::int16_t option);
    void redo() override;
    void undo() override;

  private:
    BankDocument& document_;
    int row_;
    std::int16_t before_;
    std::int16_t after_;
};

// Adding a question, or a copy of one.
class InsertQuestionCommand final : public QUndoCommand {
  public:
    InsertQuestionCommand(BankDocument& document, int row, bank::DraftQuestion question,
                          const QString& name);
    void redo() override;
    void undo() override;

  private:
    BankDocument& document_;
    int row_;
    bank::DraftQuestion question_;
};

class RemoveQuestionCommand final : public QUndoCommand {
  public:
    RemoveQuestionCommand(BankDocument& document, int row);
    void redo() override;
    void undo() override;

  private:
    BankDocument& document_;
    int row_;
    bank::DraftQuestion question_;
};

class MoveQuestionCommand final : public QUndoCommand {
  public:
    MoveQuestionCommand(BankDocument& document, int from, int to);
    void redo() override;
    void undo() override;

  private:
    BankDocument& document_;
    int from_;
    int to_;
};

}  // namespace vornikat::editor
