// SPDX-License-Identifier: MIT
#include "draft_document.hpp"

#include <algorithm>

namespace vornikat::bank {
namespace {

// The letters a bank can hold (Windows-1251's: Latin, Cyrillic) and Latin-1's and Greek's in
// one case, so that find takes "Файл" for "файл"; and ё as е, which most Russian text leaves
// unmarked, so that "жесткий" finds "Жёсткий".
char16_t FoldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0x410 && c <= 0x42F) || (c >= 0x391 && c <= 0x3A9) ||
        (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == u'Ё' || c == u'ё') {
        return u'е';
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
    return questions_.at(static_cast<std::size_t>(row));
}

std::u16string DraftDocument::TextAt(int row, int field) const {
    const DraftQuestion& question = DraftAt(row);
    if (field != kExtraOptionField) {
        return TextOf(question.record, field);
    }
    return question.extraOptions.empty() ? std::u16string() : question.extraOptions.front();
}

std::vector<DraftQuestion> DraftDocument::Drafts() const {
    return questions_;
}

const std::vector<FieldIssue>& DraftDocument::IssuesOf(int row) const {
    const auto at = static_cast<std::size_t>(row);
    if (!checks_.at(at).checked) {
        Recheck(at);
    }
    return checks_[at].issues;
}

int DraftDocument::CheckSlice(int questions) {
    for (int done = 0; uncheckedCount_ > 0 && done < questions; ++checkCursor_) {
        if (checkCursor_ >= checks_.size()) {
            checkCursor_ = 0;
        }
        if (!checks_[checkCursor_].checked) {
            Recheck(checkCursor_);
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
    for (std::size_t row = 0; row < checks_.size(); ++row) {
        if (checks_[row].checked) {
            for (const FieldIssue& issue : checks_[row].issues) {
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
    checks_.assign(questions_.size(), Checks{});
    uncheckedCount_ = Count();
    errorCount_ = 0;
    warningCount_ = 0;
    checkCursor_ = 0;
}

void DraftDocument::Reset(std::vector<DraftQuestion> questions) {
    questions_ = std::move(questions);
    UncheckAll();
}

void DraftDocument::SetText(int row, int field, std::u16string text) {
    DraftQuestion& at = questions_.at(static_cast<std::size_t>(row));
    std::vector<std::u16string>& extra = at.extraOptions;
    if (field != kExtraOptionField) {
        TextOf(at.record, field) = std::move(text);
    } else if (text.empty()) {
        if (!extra.empty()) {
            extra.erase(extra.begin());
        }
    } else if (extra.empty()) {
        extra.push_back(std::move(text));
    } else {
        extra.front() = std::move(text);
    }
    Recheck(static_cast<std::size_t>(row));
}

void DraftDocument::SetRightOption(int row, std::int16_t option) {
    questions_.at(static_cast<std::size_t>(row)).record.rightOption = option;
    Recheck(static_cast<std::size_t>(row));
}

void DraftDocument::Insert(int row, DraftQuestion question) {
    questions_.insert(questions_.begin() + row, std::move(question));
    checks_.insert(checks_.begin() + row, Checks{});
    ++uncheckedCount_;
    Recheck(static_cast<std::size_t>(row));
}

DraftQuestion DraftDocument::Remove(int row) {
    const auto at = static_cast<std::size_t>(row);
    Forget(checks_.at(at));
    uncheckedCount_ -= checks_[at].checked ? 0 : 1;
    DraftQuestion question = std::move(questions_[at]);
    questions_.erase(questions_.begin() + row);
    checks_.erase(checks_.begin() + row);
    return question;
}

void DraftDocument::Move(int from, int to) {
    if (from == to) {
        return;
    }
    const auto rotate = [from, to](auto& rows) {
        const auto first = rows.begin() + std::min(from, to);
        const auto last = rows.begin() + std::max(from, to) + 1;
        std::rotate(first, from < to ? first + 1 : last - 1, last);
    };
    rotate(questions_);
    rotate(checks_);
}

int DraftDocument::FindText(std::u16string_view text, int start) const {
    if (text.empty() || questions_.empty()) {
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

void DraftDocument::Forget(const Checks& checks) const {
    errorCount_ -= CountOf(checks.issues, Severity::Error);
    warningCount_ -= CountOf(checks.issues, Severity::Warning);
}

void DraftDocument::Recheck(std::size_t row) const {
    Checks& checks = checks_[row];
    Forget(checks);
    checks.issues = CheckDraftQuestion(questions_[row], requireFit_, *measure_);
    errorCount_ += CountOf(checks.issues, Severity::Error);
    warningCount_ += CountOf(checks.issues, Severity::Warning);
    if (!checks.checked) {
        checks.checked = true;
        --uncheckedCount_;
    }
}

}  // namespace vornikat::bank
