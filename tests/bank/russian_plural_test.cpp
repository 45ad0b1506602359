// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "russian_plural.hpp"

namespace vornikat::bank {
namespace {

TEST(RussianPlural, AgreesWithTheLastDigitsOfTheCount) {
    const struct {
        std::int64_t count;
        std::string_view form;
    } cases[] = {
        {0, "вопросов"}, {1, "вопрос"},       {2, "вопроса"},    {4, "вопроса"},
        {5, "вопросов"}, {11, "вопросов"},    {12, "вопросов"},  {14, "вопросов"},
        {21, "вопрос"},  {22, "вопроса"},     {111, "вопросов"}, {112, "вопросов"},
        {101, "вопрос"}, {32768, "вопросов"}, {32771, "вопрос"}, {32772, "вопроса"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RussianPlural(c.count, "вопрос", "вопроса", "вопросов"), c.form) << c.count;
    }
}

}  // namespace
}  // namespace vornikat::bank
