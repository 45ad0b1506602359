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

// The tab indexes of each window run 0, 1, 2... without a gap or a repeat, over every control
// that takes part in the order.
TEST(Layout, TabIndexesRunWithoutGapsOrRepeats) {
    for (const auto* window : {&MainDesign(), &HelpDesign()}) {
        std::set<int> indexes;
        for (const auto& c : window->controls) {
            if (c.kind != ControlKind::Timer && c.kind != ControlKind::Line) {
                EXPECT_TRUE(indexes.insert(c.tabIndex).second) << c.name;
            }
        }
        ASSERT_FALSE(indexes.empty());
        EXPECT_EQ(*indexes.begin(), 0);
        EXPECT_EQ(*indexes.rbegin(), static_cast<int>(indexes.size()) - 1);
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
    // The texts a player reads, and the five options as one column inside their frame.
    const std::pair<const char*, std::u16string_view> texts[] = {
        {"HelpMe", u"Помощь"}, {"Exit", u"Выход"},         {"Nxt", u"Дальше"},
        {"FrameT", u"Таймер"}, {"FrameC", u"Счётчик"},     {"FrameA", u"Варианты ответов"},
        {"FrameQ", u"Вопрос"}, {"LblQ", u"Вопрос здесь!"},
    };
    for (const auto& [name, text] : texts) {
        const auto* control = FindControl(main, name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(control->text == text) << name;
    }
    const auto* first = FindControl(main, "Ans1");
    ASSERT_NE(first, nullptr);
    int above = -1;
    for (int k = 1; k <= 5; ++k) {
        const auto* option = FindControl(main, "Ans" + std::to_string(k));
        ASSERT_NE(option, nullptr) << k;
        EXPECT_EQ(option->kind, ControlKind::OptionButton);
        EXPECT_EQ(option->parent, "FrameA");
        EXPECT_TRUE(option->left == first->left && option->width == first->width) << k;
        EXPECT_GT(option->top, above) << k;
        above = option->top;
    }
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
    EXPECT_TRUE(FindControl(help, "lblTitle")->text == u"Ворникат");
    EXPECT_TRUE(FindControl(help, "lblVersion")->text == u"Версия 1.00");
    EXPECT_TRUE(FindControl(help, "cmdSysInfo")->text == u"&System Info...");
    EXPECT_TRUE(FindControl(help, "lblDisclaimer")->text ==
                u"Замечание: Если в первый раз программа сказала вам, что вы ламер, значит так "
                u"оно и есть!");
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
