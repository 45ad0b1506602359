// SPDX-License-Identifier: MIT
// Question tables as spreadsheets save them: either separator, quoted fields, a header, the
// right option by number, letter or text.
#include <gtest/gtest.h>

#include "csv_import.hpp"
#include "draft_summary.hpp"

namespace vornikat::bank {
namespace {

TEST(CsvImport, ReadsARowPerQuestionAsSpreadsheetsSaveThem) {
    const struct {
        std::string source;
        std::string expected;
    } cases[] = {
        // A Russian spreadsheet's ";", its header, Russian letters (В is the third), quotes.
        {"Вопрос;A;B;C;D;E;Ответ\n"
         "\"Что такое \"\"ОЗУ\"\"?\";Память;Диск;\"Мышь;кот\";\"Кабель,\nпровод\";Принтер;В\n"
         "Второй;a;b;c;d;e;д\n",
         "2:1 Что такое \"ОЗУ\"? | Память | Диск | Мышь;кот | Кабель, провод | Принтер | 3\n"
         "4:1 Второй | a | b | c | d | e | 5\n"},
        // "," with no header; a number, a Latin letter, the right option's own text.
        {"Один,a,b,c,d,e,2\nДва,a,b,c,d,e,E\nТри,a,b,c,d,\"x, y\",\"x, y\"\n",
         "1:1 Один | a | b | c | d | e | 2\n2:1 Два | a | b | c | d | e | 5\n"
         "3:1 Три | a | b | c | d | x, y | 5\n"},
        // Rows padded to a wider table, a blank row, four and six options, no right option.
        {"Q;a;b;c;d;e;1;;\n;;;;;;;;\nЧетыре;a;b;c;d;1\nШесть;a;b;c;d;e;f;6\nНет;a;b;c;d;e;Z\n",
         "1:1 Q | a | b | c | d | e | 1\n3:1 Четыре | a | b | c | d | 1\n"
         "4:1 Шесть | a | b | c | d | e | f | 6\n5:1 Нет | a | b | c | d | e | 0\n"},
        // Every row padded alike, as a spreadsheet saves a table once wider.
        {"Вопрос;4;8;16;10;32;2;;\nЕщё;a;b;c;d;e;1;;\n",
         "1:1 Вопрос | 4 | 8 | 16 | 10 | 32 | 2\n2:1 Ещё | a | b | c | d | e | 1\n"},
        {"Q;a;b;c;d;e;1\nКоротко;1\nQ2;a;b;c;d;\"e;1\n",
         "1:1 Q | a | b | c | d | e | 1\nerror 2:1\nerror 3:1\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testing::Summary(ReadCsv(c.source)), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace vornikat::bank
