// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "layout_fit.hpp"

namespace vornikat::bank {
namespace {

TEST(LayoutFit, WrapsAtBlanksAndKeepsAWordWiderThanALineWhole) {
    EXPECT_EQ(CountWrappedLines(u"", 100, FontWeight::Bold), 0);
    EXPECT_EQ(CountWrappedLines(u"Сколько бит в байте?", kQuestionWidthPx, FontWeight::Bold), 1);
    // "ааааа" is about 38 px bold: two fit in 80 px with a blank between, the third wraps.
    EXPECT_EQ(CountWrappedLines(u"ааааа ааааа ааааа", 80, FontWeight::Bold), 2);
    EXPECT_EQ(CountWrappedLines(std::u16string(100, u'Ш'), kQuestionWidthPx, FontWeight::Bold), 1);
    EXPECT_TRUE(
        EstimatedTextMeasure().MeasureQuestion(u"а " + std::u16string(40, u'Ш')).wordTooWide);
}

TEST(LayoutFit, FlagsQuestionsPastFourLinesAndOptionsPastOneLine) {
    QuestionRecord fits{u"Что делает кнопка «Reset»?",
                        {u"Перезагружает компьютер", u"Сбрасывает настроение", u"Удаляет интернет",
                         u"", u"Вызывает системного администратора"},
                        1};
    EXPECT_TRUE(FindFitProblems(fits).empty());

    QuestionRecord tooLong = fits;
    tooLong.options[2] = u"Вызывает системного администратора и его кота";
    std::u16string question;
    while (CountWrappedLines(question + u" слово", kQuestionWidthPx, FontWeight::Bold) <= 4) {
        question += u" слово";
    }
    tooLong.question = question.substr(1);
    EXPECT_TRUE(FindFitProblems(tooLong).size() == 1U);
    tooLong.question += u" слово";
    const auto problems = FindFitProblems(tooLong);
    ASSERT_EQ(problems.size(), 2U);
    EXPECT_EQ(problems[0].text, 0);
    EXPECT_EQ(problems[0].message,
              "the question takes about 5 lines in the window, which shows 4: "
              "shorten it");
    EXPECT_EQ(problems[1].text, 3);
}

}  // namespace
}  // namespace vornikat::bank
