#include <gtest/gtest.h>

#include <set>
#include <string>

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

}  // namespace
}  // namespace vornikat
