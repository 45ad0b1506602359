// SPDX-License-Identifier: MIT
#include "draft_document.hpp"

#include <algorithm>

namespace vornikat::bank {
namespace {

// The letters a bank can hold (Windows-1251's: Latin, Cyrillic) and Latin-1's and Greek's in
// one case, so that find takes "Файл" for "файл".
char16_t FoldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0x410 && c <= 0x42F) || (c >= 0x391 && c <= 0x3A9) ||
        (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    if (c == 0x490) {
        return 0x491;
    }
    return c;
}

bool ContainsFolded(std::u16string_view haystack, std::u16string_view folded) {
    const auto match = [](char16_t a, char16_t b) { return FoldCase(a) == b; };
    return std::search(haystack.begin(), haystack.end(), folded.begin(), folded.end(), match) !=
           haystack.end();
}

int CountOf(const std::vector<FieldIssue>& issues, Severity severity) {
    return static_cast<int>(std::count_if(issues.begin(), issues.end(), [severity](const auto& i) {
        return i.severity == severity;
    }));
}

}  // namespace

const DraftQuestion& DraftDocument::DraftAt(int row) const {
    return rows_.at(static_cast<std::size_t>(row)).question;
}

std::u16string DraftDocument::TextAt(int row, int field) const {
    const DraftQuestion& question = DraftAt(row);
    if (field != kExtraOptionField) {
        return TextOf(question.record, field);
    }
    return question.extraOptions.empty() ? std::u16string() : question.extraOptions.front();
}

std::vector<DraftQuestion> DraftDocument::Drafts() const {
    std::vector<DraftQuestion> drafts;
    drafts.reserve(rows_.size());
    for (const Row& row : rows_) {
        drafts.push_back(row.question);
    }
    return drafts;
}

const std::vector<FieldIssue>& DraftDocument::IssuesOf(int row) const {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    if (!at.checked) {
        Recheck(at);
    }
    return at.issues;
}

int DraftDocument::CheckSlice(int questions) {
    for (int done = 0; uncheckedCount_ > 0 && done < questions; ++checkCursor_) {
        if (checkCursor_ >= rows_.size()) {
            checkCursor_ = 0;
        }
        if (!rows_[checkCursor_].checked) {
            Recheck(rows_[checkCursor_]);
            ++done;
        }
    }
    return uncheckedCount_;
}

void DraftDocument::FinishChecks() {
    CheckSlice(uncheckedCount_);
}

std::vector<PlacedIssue> DraftDocument::CheckedIssues() const {
    std::vector<PlacedIssue> issues;
    if (const auto issue = BankIssue()) {
        issues.push_back({-1, *issue});
    }
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].checked) {
            for (const FieldIssue& issue : rows_[row].issues) {
                issues.push_back({static_cast<int>(row), issue});
            }
        }
    }
    return issues;
}

void DraftDocument::SetRequireFit(bool required) {
    if (required == requireFit_) {
        return;
    }
    requireFit_ = required;
    UncheckAll();
}

void DraftDocument::UncheckAll() {
    for (Row& row : rows_) {
        row.issues.clear();
        row.checked = false;
    }
    uncheckedCount_ = Count();
    errorCount_ = 0;
    warningCount_ = 0;
    checkCursor_ = 0;
}

void DraftDocument::Reset(std::vector<DraftQuestion> questions) {
    rows_.clear();
    rows_.reserve(questions.size());
    for (auto& question : questions) {
        rows_.emplace_back().question = std::move(question);
    }
    uncheckedCount_ = Count();
    errorCount_ = 0;
    warningCount_ = 0;
    checkCursor_ = 0;
}

void DraftDocument::SetText(int row, int field, std::u16string text) {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    std::vector<std::u16string>& extra = at.question.extraOptions;
    if (field != kExtraOptionField) {
        TextOf(at.question.record, field) = std::move(text);
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
}

void DraftDocument::SetRightOption(int row, std::int16_t option) {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    at.question.record.rightOption = option;
    Recheck(at);
}

void DraftDocument::Insert(int row, DraftQuestion question) {
    Row& at = *rows_.insert(rows_.begin() + row, Row{std::move(question), {}, false});
    ++uncheckedCount_;
    Recheck(at);
}

DraftQuestion DraftDocument::Remove(int row) {
    Row& at = rows_.at(static_cast<std::size_t>(row));
    Forget(at);
    uncheckedCount_ -= at.checked ? 0 : 1;
    DraftQuestion question = std::move(at.question);
    rows_.erase(rows_.begin() + row);
    return question;
}

void DraftDocument::Move(int from, int to) {
    if (from == to) {
        return;
    }
    const auto first = rows_.begin() + std::min(from, to);
    const auto last = rows_.begin() + std::max(from, to) + 1;
    std::rotate(first, from < to ? first + 1 : last - 1, last);
}

int DraftDocument::FindText(std::u16string_view text, int start) const {
    if (text.empty() || rows_.empty()) {
        return -1;
    }
    std::u16string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    const auto contains = [&folded](const std::u16string& haystack) {
        return ContainsFolded(haystack, folded);
    };
    const int count = Count();
    for (int step = 0; step < count; ++step) {
        const int row = (std::max(start, 0) + step) % count;
        const QuestionRecord& question = DraftAt(row).record;
        if (contains(question.question) ||
            std::any_of(question.options.begin(), question.options.end(), contains)) {
            return row;
        }
    }
    return -1;
}

void DraftDocument::Forget(const Row& row) const {
    errorCount_ -= CountOf(row.issues, Severity::Error);
    warningCount_ -= CountOf(row.issues, Severity::Warning);
}

void DraftDocument::Recheck(Row& row) const {
    Forget(row);
    row.issues = CheckDraftQuestion(row.question, requireFit_, *measure_);
    errorCount_ += CountOf(row.issues, Severity::Error);
    warningCount_ += CountOf(row.issues, Severity::Warning);
    if (!row.checked) {
        row.checked = true;
        --uncheckedCount_;
    }
}

}  // namespace vornikat::bank
