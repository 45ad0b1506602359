// SPDX-License-Identifier: MIT
#include "edit_commands.hpp"

#include "bank_document.hpp"
#include "question_check.hpp"

namespace vornikat::editor {
namespace {

constexpr int kEditTextId = 1;

QString FieldName(int field) {
    if (field == bank::kQuestionField) {
        return QStringLiteral("текста вопроса");
    }
    return QStringLiteral("варианта %1")
        .arg(field == bank::kExtraOptionField ? bank::kOptionCount + 1 : field);
}

}  // namespace

EditTextCommand::EditTextCommand(BankDocument& document, int row, int field, std::u16string text)
    : QUndoCommand(QStringLiteral("правку %1").arg(FieldName(field))),
      document_(document),
      row_(row),
      field_(field),
      before_(document.TextAt(row, field)),
      after_(std::move(text)) {}

void EditTextCommand::redo() {
    document_.SetText(row_, field_, after_);
}

void EditTextCommand::undo() {
    document_.SetText(row_, field_, before_);
}

int EditTextCommand::id() const {
    return kEditTextId;
}

bool EditTextCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const EditTextCommand*>(other);
    if (next == nullptr) {
        return false;
    }
    if (next->row_ != row_ || next->field_ != field_) {
        return false;
    }
    after_ = next->after_;
    // Typed and typed away again: nothing is left to undo.
    setObsolete(after_ == before_);
    return true;
}

ChooseRightOptionCommand::ChooseRightOptionCommand(BankDocument& document, int row,
                                                   std::int16_t option)
    : QUndoCommand(QStringLiteral("выбор верного варианта")),
      document_(document),
      row_(row),
      before_(document.At(row).rightOption),
      after_(option) {}

void ChooseRightOptionCommand::redo() {
    document_.SetRightOption(row_, after_);
}

void ChooseRightOptionCommand::undo() {
    document_.SetRightOption(row_, before_);
}

InsertQuestionCommand::InsertQuestionCommand(BankDocument& document, int row,
                                             bank::DraftQuestion question, const QString& name)
    : QUndoCommand(name), document_(document), row_(row), question_(std::move(question)) {}

void InsertQuestionCommand::redo() {
    document_.Insert(row_, question_);
}

void InsertQuestionCommand::undo() {
    question_ = document_.Remove(row_);
}

RemoveQuestionCommand::RemoveQuestionCommand(BankDocument& document, int row)
    : QUndoCommand(QStringLiteral("удаление вопроса")), document_(document), row_(row) {}

void RemoveQuestionCommand::redo() {
    question_ = document_.Remove(row_);
}

void RemoveQuestionCommand::undo() {
    document_.Insert(row_, question_);
}

MoveQuestionCommand::MoveQuestionCommand(BankDocument& document, int from, int to)
    : QUndoCommand(QStringLiteral("перемещение вопроса")),
      document_(document),
      from_(from),
      to_(to) {}

void MoveQuestionCommand::redo() {
    document_.Move(from_, to_);
}

void MoveQuestionCommand::undo() {
    document_.Move(to_, from_);
}

}  // namespace vornikat::editor
