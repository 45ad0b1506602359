// SPDX-License-Identifier: MIT
#include "edit_commands.hpp"

#include "question_check.hpp"
#include "question_list_model.hpp"

namespace vornikat::editor {
namespace {

constexpr int kEditTextId = 1;

const std::u16string& TextOf(const QuestionRecord& question, int field) {
    return field == bank::kQuestionField ? question.question
                                         : question.options.at(static_cast<std::size_t>(field - 1));
}

QString FieldName(int field) {
    return field == bank::kQuestionField ? QStringLiteral("текста вопроса")
                                         : QStringLiteral("варианта %1").arg(field);
}

}  // namespace

EditTextCommand::EditTextCommand(QuestionListModel& model, int row, int field, std::u16string text)
    : QUndoCommand(QStringLiteral("правку %1").arg(FieldName(field))),
      model_(model),
      row_(row),
      field_(field),
      before_(TextOf(model.At(row), field)),
      after_(std::move(text)) {}

void EditTextCommand::redo() {
    model_.SetText(row_, field_, after_);
}

void EditTextCommand::undo() {
    model_.SetText(row_, field_, before_);
}

int EditTextCommand::id() const {
    return kEditTextId;
}

bool EditTextCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const EditTextCommand*>(other);
    if (next->row_ != row_ || next->field_ != field_) {
        return false;
    }
    after_ = next->after_;
    return true;
}

ChooseRightOptionCommand::ChooseRightOptionCommand(QuestionListModel& model, int row,
                                                   std::int16_t option)
    : QUndoCommand(QStringLiteral("выбор верного варианта")),
      model_(model),
      row_(row),
      before_(model.At(row).rightOption),
      after_(option) {}

void ChooseRightOptionCommand::redo() {
    model_.SetRightOption(row_, after_);
}

void ChooseRightOptionCommand::undo() {
    model_.SetRightOption(row_, before_);
}

InsertQuestionCommand::InsertQuestionCommand(QuestionListModel& model, int row,
                                             QuestionRecord question, const QString& name)
    : QUndoCommand(name), model_(model), row_(row), question_(std::move(question)) {}

void InsertQuestionCommand::redo() {
    model_.InsertQuestion(row_, question_);
}

void InsertQuestionCommand::undo() {
    question_ = model_.RemoveQuestion(row_);
}

RemoveQuestionCommand::RemoveQuestionCommand(QuestionListModel& model, int row)
    : QUndoCommand(QStringLiteral("удаление вопроса")), model_(model), row_(row) {}

void RemoveQuestionCommand::redo() {
    question_ = model_.RemoveQuestion(row_);
}

void RemoveQuestionCommand::undo() {
    model_.InsertQuestion(row_, question_);
}

MoveQuestionCommand::MoveQuestionCommand(QuestionListModel& model, int from, int to)
    : QUndoCommand(QStringLiteral("перемещение вопроса")), model_(model), from_(from), to_(to) {}

void MoveQuestionCommand::redo() {
    model_.MoveQuestion(from_, to_);
}

void MoveQuestionCommand::undo() {
    model_.MoveQuestion(to_, from_);
}

}  // namespace vornikat::editor
