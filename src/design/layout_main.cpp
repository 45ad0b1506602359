// SPDX-License-Identifier: MIT
// The design of Main, the quiz window.
#include "layout.hpp"

namespace vornikat {
namespace {

constexpr FontDesign kTimerFont{u"MS Sans Serif", 24.0, 700, 204};
constexpr FontDesign kQuestionFont{u"MS Sans Serif", 8.25, 700, 204};

ControlDesign Option(std::string_view name, int top, int tab, std::u16string_view text) {
    ControlDesign c{name, ControlKind::OptionButton, "FrameA", 120, top, 4335, 375, tab};
    c.text = text;
    c.startsSelected = name == "Ans1";
    return c;
}

const ControlDesign kMainControls[] = {
    {.name = "HelpMe",
     .kind = ControlKind::CommandButton,
     .parent = "",
     .left = 4800,
     .top = 2910,
     .width = 1455,
     .height = 495,
     .tabIndex = 14,
     .text = u"Помощь",
     .toolTip = u"Помощь по программе"},
    {.name = "Timer1", .kind = ControlKind::Timer, .parent = ""},
    {.name = "Exit",
     .kind = ControlKind::CommandButton,
     .parent = "",
     .left = 4800,
     .top = 2280,
     .width = 1455,
     .height = 495,
     .tabIndex = 13,
     .text = u"Выход",
     .toolTip = u"Выйти из программы"},
    {.name = "Nxt",
     .kind = ControlKind::CommandButton,
     .parent = "",
     .left = 4800,
     .top = 1650,
     .width = 1455,
     .height = 495,
     .tabIndex = 12,
     .text = u"Дальше",
     .toolTip = u"Ответить на вопрос"},
    {.name = "FrameT",
     .kind = ControlKind::Frame,
     .parent = "",
     .left = 4800,
     .top = 645,
     .width = 1455,
     .height = 810,
     .tabIndex = 10,
     .text = u"Таймер"},
    {.name = "LblT",
     .kind = ControlKind::Label,
     .parent = "FrameT",
     .left = 120,
     .top = 200,
     .width = 1215,
     .height = 495,
     .tabIndex = 11,
     .text = u"0:59",
     .toolTip = u"Время, отведённое на ответ",
     .font = kTimerFont,
     .alignment = Alignment::Center},
    {.name = "FrameC",
     .kind = ControlKind::Frame,
     .parent = "",
     .left = 4800,
     .top = 0,
     .width = 1455,
     .height = 570,
     .tabIndex = 8,
     .text = u"Счётчик"},
    {.name = "LblC",
     .kind = ControlKind::Label,
     .parent = "FrameC",
     .left = 120,
     .top = 240,
     .width = 1215,
     .height = 255,
     .tabIndex = 9,
     .text = u"99/100",
     .toolTip = u"Счётчик правильных ответов",
     .alignment = Alignment::Center},
    {.name = "FrameA",
     .kind = ControlKind::Frame,
     .parent = "",
     .left = 90,
     .top = 1560,
     .width = 4575,
     .height = 2415,
     .tabIndex = 2,
     .text = u"Варианты ответов"},
    Option("Ans5", 1800, 7, u"Вариант 5"),
    Option("Ans4", 1440, 6, u"Вариант 4"),
    Option("Ans3", 1080, 5, u"Вариант 3"),
    Option("Ans2", 720, 4, u"Вариант 2"),
    Option("Ans1", 360, 3, u"Вариант 1"),
    {.name = "FrameQ",
     .kind = ControlKind::Frame,
     .parent = "",
     .left = 90,
     .top = 0,
     .width = 4575,
     .height = 1455,
     .tabIndex = 0,
     .text = u"Вопрос"},
    {.name = "LblQ",
     .kind = ControlKind::Label,
     .parent = "FrameQ",
     .left = 120,
     .top = 240,
     .width = 4345,
     .height = 1035,
     .tabIndex = 1,
     .text = u"Вопрос здесь!",
     .toolTip = u"Вопрос, на который нужно ответить",
     .font = kQuestionFont,
     .alignment = Alignment::Center},
};

const WindowDesign kMain{
    .name = "Main",
    .caption = u"Ворникат",
    .border = BorderStyle::FixedSingle,
    .minimizeButton = true,
    .maximizeButton = false,
    .showInTaskbar = true,
    .centered = true,
    .clientWidth = 6375,
    .clientHeight = 4080,
    .controls = kMainControls,
};

}  // namespace

const WindowDesign& MainDesign() {
    return kMain;
}

}  // namespace vornikat
