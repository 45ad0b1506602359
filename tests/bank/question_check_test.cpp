// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "layout_fit.hpp"
#include "question_check.hpp"

namespace vornikat::bank {
namespace {

const EstimatedTextMeasure kEstimate;

QuestionRecord Sound() {
    return {u"Что делает кнопка «Reset»?",
            {u"Перезагружает компьютер", u"Сбрасывает настроение", u"Удаляет интернет",
             u"Включает турбо-режим", u"Вызывает системного администратора"},
            1};
}

std::vector<IssueKind> KindsAt(const std::vector<FieldIssue>& issues, int field) {
    std::vector<IssueKind> kinds;
    for (const auto& issue : issues) {
        if (issue.field == field) {
            kinds.push_back(issue.kind);
        }
    }
    return kinds;
}

TEST(QuestionCheck, ASoundQuestionHasNoIssue) {
    EXPECT_TRUE(CheckQuestion(Sound(), true, kEstimate).empty());
}

TEST(QuestionCheck, LettersOutsideTheCodePageAreErrorsNamingTheFirstOffender) {
    QuestionRecord q = Sound();
    q.options[1] = u"x ≤ y ≥ z";
    // A character beyond the 16-bit range is one character, not two halves.
    q.question = u"Смайлик 😀?";
    const auto issues = CheckQuestion(q, false, kEstimate);
    ASSERT_EQ(issues.size(), 2U);
    EXPECT_EQ(issues[0].field, kQuestionField);
    EXPECT_EQ(issues[0].severity, Severity::Error);
    EXPECT_EQ(issues[0].character, U'😀');
    EXPECT_EQ(issues[0].position, 8);
    EXPECT_EQ(issues[1].field, 2);
    EXPECT_EQ(issues[1].kind, IssueKind::NotInCodePage);
    EXPECT_EQ(issues[1].character, U'≤');
    EXPECT_EQ(issues[1].position, 2);
}

TEST(QuestionCheck, TheBanksLimitsAreErrors) {
    QuestionRecord q = Sound();
    q.options[4] = std::u16string(32766, u'ж');
    EXPECT_EQ(KindsAt(CheckQuestion(q, false, kEstimate), 5), std::vector{IssueKind::MayNotFit});
    q.options[4] += u'ж';
    const auto issues = CheckQuestion(q, false, kEstimate);
    ASSERT_EQ(KindsAt(issues, 5), (std::vector{IssueKind::TooLong, IssueKind::MayNotFit}));
    EXPECT_EQ(issues[0].severity, Severity::Error);
    EXPECT_EQ(issues[0].amount, 32767);

    q = Sound();
    for (const std::int16_t right : {0, 6, -1}) {
        q.rightOption = right;
        const auto wrong = CheckQuestion(q, false, kEstimate);
        ASSERT_EQ(KindsAt(wrong, kRightOptionField),
                  std::vector{right == 0 ? IssueKind::NoRightOption : IssueKind::RightOutOfRange});
        EXPECT_EQ(wrong[0].severity, Severity::Error);
        EXPECT_EQ(KeepsFromAiken(wrong[0]), right != 0);
    }
    EXPECT_FALSE(IsStorableQuestionCount(0));
    EXPECT_TRUE(IsStorableQuestionCount(1));
    EXPECT_TRUE(IsStorableQuestionCount(32767));
    EXPECT_FALSE(IsStorableQuestionCount(32768));
}

// What a draft's source left wrong is an error at its field until the author mends it.
TEST(QuestionCheck, ADraftsMissingAndExtraOptionsAreErrorsAtTheirFields) {
    const struct {
        int optionCount;
        std::vector<std::u16string> extra;
        std::int16_t right;
        int field;
        IssueKind kind;
    } cases[] = {
        {4, {}, 1, 5, IssueKind::MissingOption},
        {6, {u"шесть"}, 1, kExtraOptionField, IssueKind::ExtraOption},
        {6, {u"шесть"}, 6, kRightOptionField, IssueKind::RightIsExtra},
        {5, {}, 0, kRightOptionField, IssueKind::NoRightOption},
    };
    for (const auto& c : cases) {
        DraftQuestion draft{Sound(), c.optionCount, c.extra, {}};
        draft.record.rightOption = c.right;
        if (c.optionCount < 5) {
            draft.record.options[4].clear();
        }
        const auto issues = CheckDraftQuestion(draft, false, kEstimate);
        const auto at = std::find_if(issues.begin(), issues.end(),
                                     [&](const FieldIssue& issue) { return issue.kind == c.kind; });
        ASSERT_NE(at, issues.end()) << static_cast<int>(c.kind);
        EXPECT_EQ(at->field, c.field);
        EXPECT_TRUE(IsError(*at));
        EXPECT_FALSE(KeepsFromAiken(*at));
    }
    // Written since, the missing option is a text like any other.
    DraftQuestion mended{Sound(), 4, {}, {}};
    EXPECT_TRUE(KindsAt(CheckDraftQuestion(mended, false, kEstimate), 5).empty());
}

TEST(QuestionCheck, WhatLoadsButLooksWrongIsAWarning) {
    QuestionRecord q = Sound();
    q.question = u"ANSWER: A";
    q.options[0] = u"";
    q.options[1] = u" с пробелом";
    q.options[2] = u"табуляция\tвнутри";
    const auto issues = CheckQuestion(q, false, kEstimate);
    for (const auto& issue : issues) {
        EXPECT_EQ(issue.severity, Severity::Warning);
    }
    EXPECT_EQ(KindsAt(issues, 0), std::vector{IssueKind::LooksLikeAnswer});
    EXPECT_EQ(KindsAt(issues, 1), std::vector{IssueKind::Empty});
    EXPECT_EQ(KindsAt(issues, 2), std::vector{IssueKind::BlankAtEdge});
    EXPECT_EQ(KindsAt(issues, 3), std::vector{IssueKind::ControlCharacter});
    // The right option empty has a warning of its own; another empty option does not.
    EXPECT_EQ(KindsAt(issues, kRightOptionField), q.rightOption == 1
                                                      ? std::vector{IssueKind::EmptyRightOption}
                                                      : std::vector<IssueKind>{});
    q.rightOption = 1;
    EXPECT_EQ(KindsAt(CheckQuestion(q, false, kEstimate), kRightOptionField),
              std::vector{IssueKind::EmptyRightOption});
    q.rightOption = 2;
    EXPECT_TRUE(KindsAt(CheckQuestion(q, false, kEstimate), kRightOptionField).empty());
}

TEST(QuestionCheck, AMisfitIsJudgedAsTheBankToolDoesAndRequireFitMakesItAnError) {
    QuestionRecord q = Sound();
    q.options[2] = u"Вызывает системного администратора и его кота";
    q.question = std::u16string(100, u'Ш');
    // The same texts the bank tool warns about, no more and no fewer.
    std::vector<int> toolFields;
    for (const auto& problem : FindFitProblems(q)) {
        toolFields.push_back(problem.text);
    }
    for (const bool required : {false, true}) {
        const auto issues = CheckQuestion(q, required, kEstimate);
        std::vector<int> fields;
        for (const auto& issue : issues) {
            EXPECT_EQ(issue.kind, IssueKind::MayNotFit);
            EXPECT_EQ(issue.severity, required ? Severity::Error : Severity::Warning);
            fields.push_back(issue.field);
        }
        EXPECT_EQ(fields, toolFields);
        EXPECT_TRUE(issues[0].room.wordTooWide);
    }
}

}  // namespace
}  // namespace vornikat::bank
