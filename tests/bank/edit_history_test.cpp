// SPDX-License-Identifier: MIT
#include "edit_history.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "draft_bank.hpp"
#include "layout_fit.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

const EstimatedTextMeasure kEstimate;

DraftQuestion Question(std::u16string text) {
    DraftQuestion draft;
    draft.record = {std::move(text), {u"a", u"b", u"c", u"d", u"e"}, 1};
    return draft;
}

// The bank as "question/right" per row, so that a case's states read at a glance.
std::string Shown(const DraftDocument& document) {
    std::string out;
    for (int row = 0; row < document.Count(); ++row) {
        const QuestionRecord& record = document.DraftAt(row).record;
        out += vornikat::ToUtf8(record.question) + "/" + vornikat::ToUtf8(record.options[0]) + "/" +
               std::to_string(record.rightOption) + " ";
    }
    return out;
}

TEST(DraftDocument, FindsATextWhateverItsLetterCaseAndItsYoDots) {
    DraftDocument document(kEstimate);
    document.Reset({Question(u"Жёсткий диск"), Question(u"Файл"), Question(u"ЕЩЁ")});
    const struct {
        std::u16string query;
        int start;
        int found;
    } cases[] = {
        {u"жесткий", 0, 0},
        {u"ЖЁСТКИЙ", 1, 0},
        {u"файл", 0, 1},
        {u"еще", 0, 2},
        // An option's text, from the start on round to the first; a text no question has.
        {u"a", 1, 1},
        {u"диски", 0, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(document.FindText(c.query, c.start), c.found) << vornikat::ToUtf8(c.query);
    }
}

TEST(EditHistory, UndoesAndRedoesEachKindOfEditShowingWhereItWas) {
    struct Case {
        const char* name;
        std::function<void(EditHistory&)> edit;
        std::string after;
        EditPlace undone;
        EditPlace redone;
    };
    const std::vector<Case> cases = {
        {"typing merges",
         [](EditHistory& h) {
             h.SetText(1, 0, u"Q");
             h.SetText(1, 0, u"Qu");
         },
         "A/a/1 Qu/a/1 C/a/1 ",
         {1, 0},
         {1, 0}},
        {"option",
         [](EditHistory& h) { h.SetText(2, 1, u"x"); },
         "A/a/1 B/a/1 C/x/1 ",
         {2, 1},
         {2, 1}},
        {"right",
         [](EditHistory& h) { h.SetRightOption(0, 4); },
         "A/a/4 B/a/1 C/a/1 ",
         {0, 6},
         {0, 6}},
        {"insert",
         [](EditHistory& h) { h.Insert(3, Question(u"D")); },
         "A/a/1 B/a/1 C/a/1 D/a/1 ",
         {2, 0},
         {3, 0}},
        {"remove", [](EditHistory& h) { h.Remove(0); }, "B/a/1 C/a/1 ", {0, 0}, {0, 0}},
        {"move", [](EditHistory& h) { h.Move(0, 2); }, "B/a/1 C/a/1 A/a/1 ", {0, 0}, {2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DraftDocument document(kEstimate);
        document.Reset({Question(u"A"), Question(u"B"), Question(u"C")});
        EditHistory history(document);
        const std::string before = Shown(document);
        c.edit(history);
        EXPECT_EQ(Shown(document), c.after);
        const auto undone = history.Undo();
        ASSERT_TRUE(undone.has_value());
        EXPECT_EQ(Shown(document), before);
        EXPECT_EQ(undone->row, c.undone.row);
        EXPECT_EQ(undone->field, c.undone.field);
        EXPECT_FALSE(history.CanUndo());
        const auto redone = history.Redo();
        ASSERT_TRUE(redone.has_value());
        EXPECT_EQ(Shown(document), c.after);
        EXPECT_EQ(redone->row, c.redone.row);
        EXPECT_EQ(redone->field, c.redone.field);
        EXPECT_FALSE(history.Redo().has_value());
    }
}

TEST(EditHistory, TypingMergesOnlyUntilAnotherChangeComes) {
    DraftDocument document(kEstimate);
    document.Reset({Question(u"A")});
    EditHistory history(document);
    history.SetText(0, 0, u"A1");
    history.SetText(0, 1, u"a1");  // another field: a step of its own
    history.SetText(0, 1, u"a12");
    history.Undo();
    history.SetText(0, 1, u"a9");  // after an undo: not joined to the step undone
    history.Undo();
    EXPECT_EQ(Shown(document), "A1/a/1 ");
    history.Undo();
    EXPECT_EQ(Shown(document), "A/a/1 ");
    // Typed and typed away again leaves nothing to undo.
    history.SetText(0, 0, u"Ab");
    history.SetText(0, 0, u"A");
    EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace vornikat::bank
