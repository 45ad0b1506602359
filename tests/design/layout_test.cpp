// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "layout.hpp"

namespace vornikat {
namespace {

std::vector<std::string> Names(const std::vector<const ControlDesign*>& controls) {
    std::vector<std::string> names;
    for (const auto* c : controls) {
        names.emplace_back(c->name);
    }
    return names;
}

TEST(Layout, FocusGoesThroughTheOptionsThenTheButtons) {
    EXPECT_EQ(Names(FocusOrder(MainDesign())),
              (std::vector<std::string>{"Ans1", "Ans2", "Ans3", "Ans4", "Ans5", "Nxt", "Exit",
                                        "HelpMe"}));
    EXPECT_EQ(Names(FocusOrder(HelpDesign())),
              (std::vector<std::string>{"cmdOK", "picIcon", "cmdSysInfo"}));
}

TEST(Layout, ClientAreasAndControlsInPixelsAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(MainDesign().clientWidth, 96), 425);
    EXPECT_EQ(TwipsToPixels(MainDesign().clientHeight, 96), 272);
    EXPECT_EQ(TwipsToPixels(HelpDesign().clientWidth, 96), 382);
    EXPECT_EQ(TwipsToPixels(HelpDesign().clientHeight, 96), 237);
    EXPECT_EQ(TwipsToPixels(MainDesign().clientWidth, 144), 638);
    const auto* lblQ = FindControl(MainDesign(), "LblQ");
    ASSERT_NE(lblQ, nullptr);
    EXPECT_EQ(lblQ->parent, "FrameQ");
    EXPECT_EQ(TwipsToPixels(lblQ->width, 96), 290);
}

// A line fills the band from its upper left end, whichever end the design names first, and
// is never thinner than its width.
TEST(Layout, LinesFillBandsOfTheirWidth) {
    const auto band = [](const LineDesign& line, int dpi) {
        const PixelRect r = LinePixelRect(line, dpi);
        return std::tuple{r.left, r.top, r.width, r.height};
    };
    const Rgb grey{128, 128, 128};
    EXPECT_EQ(band({90, 2445, 5654, 2445, grey, 1}, 96), std::tuple(6, 163, 371, 1));
    EXPECT_EQ(band({5654, 2460, 105, 2460, grey, 2}, 96), std::tuple(7, 164, 370, 2));
    EXPECT_EQ(band({1440, 2880, 1440, 0, grey, 1}, 144), std::tuple(144, 0, 1, 288));
    EXPECT_EQ(band({0, 0, 15, 0, grey, 3}, 96), std::tuple(0, 0, 3, 3));
}

// Every control a front-end or the core names must be in the design, once, and every
// control inside a frame must fit in it.
TEST(Layout, NamesAreUniqueParentsExistAndChildrenFit) {
    for (const auto* window : {&MainDesign(), &HelpDesign()}) {
        std::set<std::pair<std::string_view, int>> seen;
        for (const auto& c : window->controls) {
            EXPECT_TRUE(seen.insert({c.name, c.arrayIndex}).second) << c.name;
            if (!c.parent.empty()) {
                const auto* frame = FindControl(*window, c.parent);
                ASSERT_NE(frame, nullptr) << c.name;
                EXPECT_LE(c.left + c.width, frame->width) << c.name;
                EXPECT_LE(c.top + c.height, frame->height) << c.name;
            } else if (c.kind != ControlKind::Timer && c.kind != ControlKind::Line) {
                EXPECT_LE(c.left + c.width, window->clientWidth) << c.name;
                EXPECT_LE(c.top + c.height, window->clientHeight) << c.name;
            }
        }
    }
    for (const auto id :
         {ControlId::LblQ, ControlId::LblC, ControlId::LblT, ControlId::Ans1, ControlId::Ans5}) {
        EXPECT_NE(FindControl(MainDesign(), ControlName(id)), nullptr);
    }
}

struct Row {
    std::string_view name;
    ControlKind kind;
    std::string_view parent;
    int left, top, width, height, tabIndex;
    std::u16string_view text;
    std::u16string_view toolTip;
};

void ExpectRows(const WindowDesign& window, const std::vector<Row>& rows) {
    ASSERT_EQ(window.controls.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlDesign& c = window.controls[i];
        const Row& row = rows[i];
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(c.name, row.name);
        EXPECT_EQ(c.kind, row.kind);
        EXPECT_EQ(c.parent, row.parent);
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Timer) {
            EXPECT_EQ(c.left, row.left);
            EXPECT_EQ(c.top, row.top);
            EXPECT_EQ(c.width, row.width);
            EXPECT_EQ(c.height, row.height);
            EXPECT_EQ(c.tabIndex, row.tabIndex);
        }
        EXPECT_TRUE(c.text == row.text);
        EXPECT_TRUE(c.toolTip == row.toolTip);
    }
}

// The designs, control by control in the order the windows are built.
TEST(Layout, MainHoldsItsControlsInBuildOrder) {
    const WindowDesign& main = MainDesign();
    EXPECT_TRUE(main.caption == u"Ворникат");
    EXPECT_EQ(main.border, BorderStyle::FixedSingle);
    EXPECT_TRUE(main.minimizeButton);
    EXPECT_FALSE(main.maximizeButton);
    EXPECT_TRUE(main.centered);
    constexpr auto B = ControlKind::CommandButton;
    constexpr auto F = ControlKind::Frame;
    constexpr auto L = ControlKind::Label;
    constexpr auto O = ControlKind::OptionButton;
    ExpectRows(
        main,
        {
            {"HelpMe", B, "", 4800, 2910, 1455, 495, 14, u"Помощь", u"Помощь по программе"},
            {"Timer1", ControlKind::Timer, "", 0, 0, 0, 0, -1, u"", u""},
            {"Exit", B, "", 4800, 2280, 1455, 495, 13, u"Выход", u"Выйти из программы"},
            {"Nxt", B, "", 4800, 1650, 1455, 495, 12, u"Дальше", u"Ответить на вопрос"},
            {"FrameT", F, "", 4800, 645, 1455, 810, 10, u"Таймер", u""},
            {"LblT", L, "FrameT", 120, 200, 1215, 495, 11, u"0:59", u"Время, отведённое на ответ"},
            {"FrameC", F, "", 4800, 0, 1455, 570, 8, u"Счётчик", u""},
            {"LblC", L, "FrameC", 120, 240, 1215, 255, 9, u"99/100", u"Счётчик правильных ответов"},
            {"FrameA", F, "", 90, 1560, 4575, 2415, 2, u"Варианты ответов", u""},
            {"Ans5", O, "FrameA", 120, 1800, 4335, 375, 7, u"Вариант 5", u""},
            {"Ans4", O, "FrameA", 120, 1440, 4335, 375, 6, u"Вариант 4", u""},
            {"Ans3", O, "FrameA", 120, 1080, 4335, 375, 5, u"Вариант 3", u""},
            {"Ans2", O, "FrameA", 120, 720, 4335, 375, 4, u"Вариант 2", u""},
            {"Ans1", O, "FrameA", 120, 360, 4335, 375, 3, u"Вариант 1", u""},
            {"FrameQ", F, "", 90, 0, 4575, 1455, 0, u"Вопрос", u""},
            {"LblQ", L, "FrameQ", 120, 240, 4345, 1035, 1, u"Вопрос здесь!",
             u"Вопрос, на который нужно ответить"},
        });
    const auto* lblT = FindControl(main, "LblT");
    ASSERT_TRUE(lblT->font.has_value());
    EXPECT_EQ(lblT->font->points, 24.0);
    EXPECT_EQ(lblT->font->weight, 700);
    EXPECT_EQ(lblT->font->charset, 204);
    EXPECT_EQ(lblT->alignment, Alignment::Center);
    const auto* lblQ = FindControl(main, "LblQ");
    ASSERT_TRUE(lblQ->font.has_value());
    EXPECT_TRUE(lblQ->font->face == u"MS Sans Serif");
    EXPECT_EQ(lblQ->font->points, 8.25);
    EXPECT_EQ(lblQ->font->weight, 700);
    EXPECT_EQ(lblQ->alignment, Alignment::Center);
    const auto* lblC = FindControl(main, "LblC");
    EXPECT_FALSE(lblC->font.has_value());
    EXPECT_EQ(lblC->alignment, Alignment::Center);
    for (const auto& c : main.controls) {
        EXPECT_FALSE(c.isDefault || c.isCancel) << c.name;
        EXPECT_EQ(c.text.find(u'&'), std::u16string_view::npos) << c.name;
        EXPECT_EQ(c.startsSelected, c.name == "Ans1") << c.name;
    }
}

TEST(Layout, AboutBoxHoldsItsControlsInBuildOrder) {
    const WindowDesign& help = HelpDesign();
    EXPECT_TRUE(help.caption == u"О программе \"Ворникат\"");
    EXPECT_EQ(help.border, BorderStyle::FixedDialog);
    EXPECT_FALSE(help.minimizeButton || help.maximizeButton || help.showInTaskbar);
    constexpr auto B = ControlKind::CommandButton;
    constexpr auto L = ControlKind::Label;
    constexpr auto N = ControlKind::Line;
    const auto* description = FindControl(help, "lblDescription");
    ASSERT_NE(description, nullptr);
    const std::u16string_view text = description->text;
    EXPECT_TRUE(
        text.starts_with(u"При помощи этой программы вы сможете узнать кто вы: Ламер или "
                         u"Профессионал. Вопросник обновляется, так что ищите обновлений "
                         u"на "));
    EXPECT_TRUE(
        text.ends_with(u". Дополнительные вопросники помогут вам держать титул Профи или "
                       u"Ламера. Качайте и наслаждайтесь!"));
    ExpectRows(help, {
                         {"picIcon", ControlKind::PictureBox, "", 240, 240, 480, 480, 1, u"", u""},
                         {"cmdOK", B, "", 4245, 2625, 1260, 345, 0, u"OK", u""},
                         {"cmdSysInfo", B, "", 4260, 3075, 1245, 345, 2, u"&System Info...", u""},
                         {"Line1", N, "", 0, 0, 0, 0, -1, u"", u""},
                         {"lblDescription", L, "", 1050, 1125, 3885, 1170, 3, text, u""},
                         {"lblTitle", L, "", 1050, 240, 3885, 480, 5, u"Ворникат", u""},
                         {"Line1", N, "", 0, 0, 0, 0, -1, u"", u""},
                         {"lblVersion", L, "", 1050, 780, 3885, 225, 6, u"Версия 1.00", u""},
                         {"lblDisclaimer", L, "", 255, 2625, 3870, 825, 4,
                          u"Замечание: Если в первый раз программа сказала вам, что вы ламер, "
                          u"значит так оно и есть!",
                          u""},
                     });
    const auto& grey = help.controls[3];
    EXPECT_EQ(grey.arrayIndex, 1);
    ASSERT_TRUE(grey.line.has_value());
    EXPECT_EQ(std::tie(grey.line->x1, grey.line->y1, grey.line->x2, grey.line->y2),
              std::make_tuple(90, 2445, 5654, 2445));
    EXPECT_EQ(grey.line->color.red, 128);
    EXPECT_EQ(grey.line->widthPixels, 1);
    const auto& white = help.controls[6];
    EXPECT_EQ(white.arrayIndex, 0);
    ASSERT_TRUE(white.line.has_value());
    EXPECT_EQ(std::tie(white.line->x1, white.line->y1, white.line->x2, white.line->y2),
              std::make_tuple(105, 2460, 5654, 2460));
    EXPECT_EQ(white.line->color.green, 255);
    EXPECT_EQ(white.line->widthPixels, 2);
    const auto* ok = FindControl(help, "cmdOK");
    EXPECT_TRUE(ok->isDefault && ok->isCancel);
    const auto* title = FindControl(help, "lblTitle");
    ASSERT_TRUE(title->font.has_value());
    EXPECT_EQ(title->font->points, 8.25);
    EXPECT_EQ(title->font->weight, 700);
    for (const char* black : {"lblTitle", "lblDescription", "lblDisclaimer"}) {
        const auto* label = FindControl(help, black);
        ASSERT_TRUE(label->foreColor.has_value()) << black;
        EXPECT_EQ(label->foreColor->red + label->foreColor->green + label->foreColor->blue, 0);
    }
    EXPECT_FALSE(FindControl(help, "lblVersion")->foreColor.has_value());
}

}  // namespace
}  // namespace vornikat
