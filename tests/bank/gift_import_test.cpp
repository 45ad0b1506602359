// SPDX-License-Identifier: MIT
// GIFT as its documentation describes it: the multiple-choice questions read, every other kind
// skipped and counted, what cannot be read said where it stands.
#include <gtest/gtest.h>

#include "draft_summary.hpp"
#include "gift_import.hpp"

namespace vornikat::bank {
namespace {

TEST(GiftImport, ReadsMultipleChoiceQuestionsAndSkipsEveryOtherKind) {
    const struct {
        std::string source;
        std::string expected;
    } cases[] = {
        {"::Память::Что такое ОЗУ?{=Оперативная память ~Жёсткий диск ~Мышь ~Кабель ~Принтер}",
         "1:1 Что такое ОЗУ? | Оперативная память | Жёсткий диск | Мышь | Кабель | Принтер | 1\n"},
        // Comments, answers over several lines, escapes, feedback dropped.
        {"// раздел первый\n\n  Сколько будет 2\\=2?{\n  ~4 # нет\n  =Ложь#верно\n"
         "// между ответами\n  ~\\{x\\}\n  ~a\\~b\n  ~c\\#d\n  ####общий отзыв\n}\n",
         "3:3 Сколько будет 2=2? | 4 | Ложь | {x} | a~b | c#d | 2\n"},
        {"[html]<p>Что <b>такое</b>&nbsp;BIOS?<br>Кратко.</p>{=<i>Система</i> ~Б ~В ~Г ~Д}",
         "1:1 Что такое BIOS? Кратко. | Система | Б | В | Г | Д | 1\n"},
        {"[moodle]Знак &laquo;&lt;&raquo;{=меньше ~b ~c ~d ~e}",
         "1:1 Знак «<» | меньше | b | c | d | e | 1\n"},
        {"Ctrl+C {~вставляет =копирует ~режет ~печатает ~стирает} текст.\n\n"
         "$CATEGORY: $course$/Основы\n\n[markdown]Ядро *системы*{=a ~b ~c ~d ~e}",
         "1:1 Ctrl+C _____ текст. | вставляет | копирует | режет | печатает | стирает | 2\n"
         "5:1 Ядро *системы* | a | b | c | d | e | 1\n"},
        // True or false, short answers, matching, a number, an essay, a description, part
        // marks and two right answers: none is a question the quiz can ask.
        {"Земля круглая.{T}\n\nЗемля плоская.{FALSE#Нет.}\n\nСтолица?{=Москва =москва}\n\n"
         "Пары {=кот -> мяу =пёс -> гав =утка -> кря}\n\nСколько?{#2:0.5}\n\nЭссе.{}\n\n"
         "Просто текст.\n\nВыберите {~%50%a ~%50%b ~c}\n\nОба {=a =b ~c}",
         "skipped 9\n"},
        {"Четыре {=a ~b ~c ~d}\n\nШесть {~a ~b ~c ~d ~e =f}\n\nНет верного {~a ~b ~c ~d ~e}",
         "1:1 Четыре | a | b | c | d | 1\n3:1 Шесть | a | b | c | d | e | f | 6\n"
         "5:1 Нет верного | a | b | c | d | e | 0\n"},
        {"Открыта {=a ~b\n\nДальше {=a ~b ~c ~d ~e}\n\n::Без конца\n\nВ скобках {просто}",
         "3:1 Дальше | a | b | c | d | e | 1\nerror 1:9\nerror 5:1\nerror 7:11\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testing::Summary(ReadGift(c.source)), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace vornikat::bank
