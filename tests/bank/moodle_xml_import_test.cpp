// SPDX-License-Identifier: MIT
// Moodle XML as its documentation describes it: multiple-choice questions with one right
// answer read, their HTML made plain text; other kinds skipped and counted; a broken file said
// where it breaks, and never expanded or hung on.
#include <gtest/gtest.h>

#include "draft_summary.hpp"
#include "moodle_xml_import.hpp"

namespace vornikat::bank {
namespace {

std::string Question(std::string type, std::string inside) {
    return "<question type=\"" + type + "\">\n<name><text>n</text></name>\n" + inside +
           "</question>\n";
}

std::string Answer(std::string fraction, std::string text) {
    return "<answer fraction=\"" + fraction + "\" format=\"html\"><text>" + text +
           "</text><feedback><text>отзыв</text></feedback></answer>\n";
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";

TEST(MoodleXmlImport, ReadsOneRightAnswerQuestionsAndSkipsTheRest) {
    const std::string fiveWrong =
        Answer("0", "b") + Answer("-25", "c") + Answer("0", "d") + Answer("0", "e");
    const struct {
        std::string source;
        std::string expected;
    } cases[] = {
        {kHead + Question("category", "<category><text>$course$/Основы</text></category>\n") +
             Question("multichoice",
                      "<questiontext format=\"html\"><text><![CDATA[<p>Что такое "
                      "<b>ОЗУ</b>?</p><p>Одно&nbsp;слово&hellip;</p>]]></text></questiontext>\n"
                      "<single>true</single>\n" +
                          Answer("100", "Память &amp;amp; ещё") + fiveWrong) +
             Question("multichoice",
                      "<questiontext format=\"html\"><text>Строка&lt;br&gt;вторая "
                      "&#1071;&#x44F;</text></questiontext>\n" +
                          Answer("0", "a") + Answer("100.0000000", "<![CDATA[<i>b</i>]]>") +
                          Answer("0", "c") + Answer("0", "d")) +
             Question("multichoice",
                      "<questiontext format=\"plain_text\"><text>a &lt;b&gt; "
                      "c</text></questiontext>\n" +
                          Answer("100", "x") + fiveWrong) +
             "</quiz>\n",
         "7:1 Что такое ОЗУ? Одно слово… | Память & ещё | b | c | d | e | 1\n"
         "17:1 Строка вторая Яя | a | b | c | d | 2\n"
         "25:1 a <b> c | x | b | c | d | e | 1\n"},
        {kHead + Question("truefalse", Answer("100", "true") + Answer("0", "false")) +
             Question("shortanswer", Answer("100", "Москва")) +
             Question("multichoice", Answer("50", "a") + Answer("50", "b") + Answer("0", "c")) +
             Question("multichoice", Answer("100", "a") + Answer("100", "b")) +
             Question("multichoice", Answer("100", "a") + Answer("33.3", "b")) + "</quiz>",
         "skipped 5\n"},
        {kHead + Question("multichoice", Answer("100", "a") + fiveWrong) +
             "<question type=\"multichoice\">\n<questiontext></question>\n</quiz>\n",
         "3:1  | a | b | c | d | e | 1\nerror 12:15\n"},
        {"<quiz>\n<question type=\"multichoice\">", "error 2:30\n"},
        {"<html><body>Не тест</body></html>", "error 1:1\n"},
        {"<quiz>\n<question type=\"multichoice\"><questiontext><text>a <\n</quiz>", "error 2:52\n"},
        // A document type's entities are not expanded: the text keeps the reference.
        {"<!DOCTYPE quiz [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;\">]>\n<quiz>" +
             Question("multichoice", "<questiontext><text>&b;</text></questiontext>" +
                                         Answer("100", "a") + fiveWrong) +
             "</quiz>",
         "2:7 &b; | a | b | c | d | e | 1\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testing::Summary(ReadMoodleXml(c.source)), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace vornikat::bank
