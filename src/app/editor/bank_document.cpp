// SPDX-License-Identifier: MIT
#include "bank_document.hpp"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>

namespace vornikat::editor {

BankDocument::BankDocument(const bank::TextMeasure& measure, QObject* parent)
    : QObject(parent), measure_(measure) {
    checker_.setInterval(0);
    connect(&checker_, &QTimer::timeout, this, [this] { CheckSlice(); });
}

const QuestionRecord& BankDocument::At(int row) const {
    return DraftAt(row).record;
}

const bank::DraftQuestion& BankDocument::DraftAt(int row) const {
    return rows_.at(static_cast<std::size_t>(row)).question;
}

std::u16string BankDocument::TextAt(int row, int field) const {
    const bank::DraftQuestion& question = DraftAt(row);
    if (field != bank::kExtraOptionField) {
        return bank::TextOf(question.record, field);
    }
    return question.extraOptions.empty() ? std::u16string() : question.extraOptions.front();
}

std::vector<QuestionRecord> BankDocument::Records() const {
    std::vector<QuestionRecord> records;
    records.reserve(rows_.size());
    for (const Row& row : rows_) {
        records.push_back(row.question.record);
    }
    return records;
}

std::vector<bank::DraftQuestion> BankDocument::Drafts() const {
    std::vector<bank::DraftQuestion> drafts;
    drafts.reserve(rows_.size());
    for (const Row& row : rows_) {
        drafts.push_back(row.question);
    }
    return drafts;
}

const std::vector<bank::FieldIssue>& BankDocument::IssuesOf(int row) const {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    if (!at.checked) {
        Recheck(at);
    }
    return at.issues;
}

void BankDocument::SetRequireFit(bool required) {
    if (required == requireFit_) {
        return;
    }
    requireFit_ = required;
    RecheckAll();
    emit checksChanged();
}

void BankDocument::Reset(std::vector<bank::DraftQuestion> questions) {
    emit aboutToReset();
    rows_.clear();
    rows_.reserve(questions.size());
    for (auto& question : questions) {
        rows_.emplace_back().question = std::move(question);
    }
    // New rows are unchecked already: another pass over 32767 of them would only cost time.
    StartChecks();
    emit wasReset();
}

void BankDocument::SetText(int row, int field, std::u16string text) {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    std::vector<std::u16string>& extra = at.question.extraOptions;
    if (field != bank::kExtraOptionField) {
        bank::TextOf(at.question.record, field) = std::move(text);
    } else if (text.empty()) {
        if (!extra.empty()) {
            extra.erase(extra.begin());
        }
    } else if (extra.empty()) {
        extra.push_back(std::move(text));
    } else {
        extra.front() = std::move(text);
    }
    Recheck(at);
    emit questionChanged(row);
}

void BankDocument::SetRightOption(int row, std::int16_t option) {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    at.question.record.rightOption = option;
    Recheck(at);
    emit questionChanged(row);
}

void BankDocument::Insert(int row, bank::DraftQuestion question) {
    emit aboutToInsert(row);
    Row& at = *rows_.insert(rows_.begin() + row, Row{std::move(question), {}, false});
    ++uncheckedCount_;
    Recheck(at);
    emit inserted(row);
}

bank::DraftQuestion BankDocument::Remove(int row) {
    emit aboutToRemove(row);
    Row& at = rows_.at(static_cast<std::size_t>(row));
    errorCount_ -= bank::CountErrors(at.issues);
    uncheckedCount_ -= at.checked ? 0 : 1;
    bank::DraftQuestion question = std::move(at.question);
    rows_.erase(rows_.begin() + row);
    emit removed(row);
    return question;
}

void BankDocument::Move(int from, int to) {
    if (from == to) {
        return;
    }
    emit aboutToMove(from, to);
    const auto first = rows_.begin() + std::min(from, to);
    const auto last = rows_.begin() + std::max(from, to) + 1;
    std::rotate(first, from < to ? first + 1 : last - 1, last);
    emit moved(from, to);
}

int BankDocument::FindText(const QString& text, int start) const {
    if (text.isEmpty() || rows_.empty()) {
        return -1;
    }
    const auto contains = [&text](const std::u16string& haystack) {
        return QStringView(haystack.data(), static_cast<qsizetype>(haystack.size()))
            .contains(text, Qt::CaseInsensitive);
    };
    const int count = Count();
    for (int step = 0; step < count; ++step) {
        const int row = (std::max(start, 0) + step) % count;
        const QuestionRecord& question = At(row);
        if (contains(question.question) ||
            std::any_of(question.options.begin(), question.options.end(), contains)) {
            return row;
        }
    }
    return -1;
}

void BankDocument::Recheck(Row& row) const {
    errorCount_ -= bank::CountErrors(row.issues);
    row.issues = bank::CheckDraftQuestion(row.question, requireFit_, measure_);
    errorCount_ += bank::CountErrors(row.issues);
    if (!row.checked) {
        row.checked = true;
        --uncheckedCount_;
    }
}

void BankDocument::RecheckAll() {
    for (Row& row : rows_) {
        row.issues.clear();
        row.checked = false;
    }
    StartChecks();
}

void BankDocument::StartChecks() {
    uncheckedCount_ = Count();
    errorCount_ = 0;
    checkCursor_ = 0;
    if (uncheckedCount_ > 0) {
        checker_.start();
    } else {
        checker_.stop();
    }
}

void BankDocument::CheckSlice() {
    constexpr qint64 kSliceMs = 8;
    QElapsedTimer slice;
    slice.start();
    while (uncheckedCount_ > 0 && slice.elapsed() < kSliceMs) {
        for (int k = 0; k < 256 && checkCursor_ < rows_.size(); ++k, ++checkCursor_) {
            if (!rows_[checkCursor_].checked) {
                Recheck(rows_[checkCursor_]);
            }
        }
        if (checkCursor_ >= rows_.size()) {
            checkCursor_ = 0;
        }
    }
    if (uncheckedCount_ == 0) {
        checker_.stop();
        emit checksChanged();
    }
}

void BankDocument::FinishChecks() {
    if (!checker_.isActive()) {
        return;
    }
    for (Row& row : rows_) {
        if (!row.checked) {
            Recheck(row);
        }
    }
    CheckSlice();
}

}  // namespace vornikat::editor
