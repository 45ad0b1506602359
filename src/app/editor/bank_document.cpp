// SPDX-License-Identifier: MIT
#include "bank_document.hpp"

#include <QElapsedTimer>
#include <QString>

namespace vornikat::editor {

BankDocument::BankDocument(const bank::TextMeasure& measure, QObject* parent)
    : QObject(parent), model_(measure) {
    checker_.setInterval(0);
    connect(&checker_, &QTimer::timeout, this, [this] { CheckSlice(); });
}

std::vector<QuestionRecord> BankDocument::Records() const {
    std::vector<QuestionRecord> records;
    records.reserve(static_cast<std::size_t>(Count()));
    for (int row = 0; row < Count(); ++row) {
        records.push_back(At(row));
    }
    return records;
}

void BankDocument::SetRequireFit(bool required) {
    if (required == model_.RequireFit()) {
        return;
    }
    model_.SetRequireFit(required);
    StartChecks();
    emit checksChanged();
}

void BankDocument::Reset(std::vector<bank::DraftQuestion> questions) {
    emit aboutToReset();
    model_.Reset(std::move(questions));
    StartChecks();
    emit wasReset();
}

void BankDocument::SetText(int row, int field, std::u16string text) {
    model_.SetText(row, field, std::move(text));
    emit questionChanged(row);
}

void BankDocument::SetRightOption(int row, std::int16_t option) {
    model_.SetRightOption(row, option);
    emit questionChanged(row);
}

void BankDocument::Insert(int row, bank::DraftQuestion question) {
    emit aboutToInsert(row);
    model_.Insert(row, std::move(question));
    emit inserted(row);
}

bank::DraftQuestion BankDocument::Remove(int row) {
    emit aboutToRemove(row);
    bank::DraftQuestion question = model_.Remove(row);
    emit removed(row);
    return question;
}

void BankDocument::Move(int from, int to) {
    if (from == to) {
        return;
    }
    emit aboutToMove(from, to);
    model_.Move(from, to);
    emit moved(from, to);
}

int BankDocument::FindText(const QString& text, int start) const {
    return model_.FindText(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())),
                           start);
}

void BankDocument::StartChecks() {
    if (model_.UncheckedCount() > 0) {
        checker_.start();
    } else {
        checker_.stop();
    }
}

// A whole bank is checked a slice at a time between events, so that 32767 questions open at
// once and the window keeps answering meanwhile.
void BankDocument::CheckSlice() {
    constexpr qint64 kSliceMs = 8;
    QElapsedTimer slice;
    slice.start();
    while (model_.CheckSlice(256) > 0 && slice.elapsed() < kSliceMs) {
    }
    if (model_.UncheckedCount() == 0) {
        checker_.stop();
        emit checksChanged();
    }
}

void BankDocument::FinishChecks() {
    if (!checker_.isActive()) {
        return;
    }
    model_.FinishChecks();
    CheckSlice();
}

}  // namespace vornikat::editor
