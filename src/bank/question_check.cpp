// SPDX-License-Identifier: MIT
#include "question_check.hpp"

#include <algorithm>
#include <cstdint>

#include "aiken_parser.hpp"
#include "bank_format.hpp"
#include "cp1251.hpp"

namespace vornikat::bank {
namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The whole character at position: a surrogate pair is one character the code page lacks.
char32_t CharacterAt(std::u16string_view text, std::size_t position) {
    const char16_t c = text[position];
    if (IsHighSurrogate(c) && position + 1 < text.size() && IsLowSurrogate(text[position + 1])) {
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
               (static_cast<char32_t>(text[position + 1]) - 0xDC00);
    }
    return c;
}

void CheckText(std::u16string_view text, int field, std::vector<FieldIssue>& issues) {
    if (text.empty()) {
        issues.push_back({field, Severity::Warning, IssueKind::Empty});
        return;
    }
    if (text.size() > static_cast<std::size_t>(bankformat::kMaxTextLength)) {
        issues.push_back(
            {field, Severity::Error, IssueKind::TooLong, 0, 0, static_cast<int>(text.size())});
    }
    // One report a kind a field: the first offender is what the author looks for.
    bool foreign = false;
    bool control = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool common = c < 0x80 || (c >= u'А' && c <= u'я');
        if (!foreign && !common && !EncodeCp1251(c)) {
            issues.push_back({field, Severity::Error, IssueKind::NotInCodePage,
                              CharacterAt(text, i), static_cast<int>(i)});
            foreign = true;
        } else if (!control && IsControl(c)) {
            issues.push_back(
                {field, Severity::Warning, IssueKind::ControlCharacter, c, static_cast<int>(i)});
            control = true;
        }
    }
    if (text.front() == u' ' || text.back() == u' ') {
        issues.push_back({field, Severity::Warning, IssueKind::BlankAtEdge});
    }
}

}  // namespace

std::vector<FieldIssue> CheckQuestion(const QuestionRecord& question, bool requireFit,
                                      const TextMeasure& measure) {
    std::vector<FieldIssue> issues;
    const Severity misfit = requireFit ? Severity::Error : Severity::Warning;
    CheckText(question.question, kQuestionField, issues);
    if (LooksLikeAnswerLine(question.question)) {
        issues.push_back({kQuestionField, Severity::Warning, IssueKind::LooksLikeAnswer});
    }
    const TextRoom lines = measure.MeasureQuestion(question.question);
    if (IsCut(lines)) {
        issues.push_back({kQuestionField, misfit, IssueKind::MayNotFit, 0, 0, 0, lines});
    }
    for (int field = kFirstOptionField; field <= kLastOptionField; ++field) {
        const std::u16string& option = TextOf(question, field);
        CheckText(option, field, issues);
        const TextRoom width = measure.MeasureOption(option);
        if (IsCut(width)) {
            issues.push_back({field, misfit, IssueKind::MayNotFit, 0, 0, 0, width});
        }
    }
    if (question.rightOption == 0) {
        issues.push_back({kRightOptionField, Severity::Error, IssueKind::NoRightOption});
    } else if (question.rightOption < 1 || question.rightOption > kOptionCount) {
        issues.push_back({kRightOptionField, Severity::Error, IssueKind::RightOutOfRange, 0, 0,
                          question.rightOption});
    }
    if (question.rightOption >= 1 && question.rightOption <= kOptionCount &&
        TextOf(question, question.rightOption).empty()) {
        issues.push_back({kRightOptionField, Severity::Warning, IssueKind::EmptyRightOption});
    }
    return issues;
}

std::vector<FieldIssue> CheckDraftQuestion(const DraftQuestion& draft, bool requireFit,
                                           const TextMeasure& measure) {
    std::vector<FieldIssue> issues = CheckQuestion(draft.record, requireFit, measure);
    const int extra = static_cast<int>(draft.extraOptions.size());
    for (FieldIssue& issue : issues) {
        if (issue.kind == IssueKind::Empty && issue.field >= kFirstOptionField &&
            issue.field > draft.optionCount) {
            issue = {issue.field, Severity::Error, IssueKind::MissingOption};
        } else if (issue.kind == IssueKind::RightOutOfRange && issue.amount > kOptionCount &&
                   issue.amount <= kOptionCount + extra) {
            issue.kind = IssueKind::RightIsExtra;
        }
    }
    if (extra > 0) {
        issues.push_back({kExtraOptionField, Severity::Error, IssueKind::ExtraOption, 0, 0, extra});
    }
    return issues;
}

bool IsStorableQuestionCount(std::size_t count) {
    return count >= 1 && count <= static_cast<std::size_t>(bankformat::kMaxQuestions);
}

std::optional<FieldIssue> CheckQuestionCount(std::size_t count) {
    if (IsStorableQuestionCount(count)) {
        return std::nullopt;
    }
    return FieldIssue{kQuestionField,
                      Severity::Error,
                      IssueKind::QuestionCount,
                      0,
                      0,
                      static_cast<int>(std::min<std::size_t>(count, INT32_MAX))};
}

int CountErrors(const std::vector<FieldIssue>& issues) {
    return static_cast<int>(std::count_if(issues.begin(), issues.end(), IsError));
}

bool KeepsFromAiken(const FieldIssue& issue) {
    switch (issue.kind) {
        case IssueKind::Empty:
            return issue.field == kQuestionField;
        case IssueKind::BlankAtEdge:
        case IssueKind::ControlCharacter:
        case IssueKind::LooksLikeAnswer:
        case IssueKind::RightOutOfRange:
            return true;
        default:
            return false;
    }
}

const std::u16string& TextOf(const QuestionRecord& question, int field) {
    return field == kQuestionField ? question.question
                                   : question.options.at(static_cast<std::size_t>(field - 1));
}

std::u16string& TextOf(QuestionRecord& question, int field) {
    return field == kQuestionField ? question.question
                                   : question.options.at(static_cast<std::size_t>(field - 1));
}

}  // namespace vornikat::bank
