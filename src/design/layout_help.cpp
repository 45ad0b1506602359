// SPDX-License-Identifier: MIT
// The design of frmHelp, the About box.
#include "layout.hpp"

namespace vornikat {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr FontDesign kTitleFont{u"MS Sans Serif", 8.25, 700, 204};

const ControlDesign kHelpControls[] = {
    {.name = "picIcon",
     .kind = ControlKind::PictureBox,
     .parent = "",
     .left = 240,
     .top = 240,
     .width = 480,
     .height = 480,
     .tabIndex = 1,
     .accessibleName = u"Значок программы"},
    {.name = "cmdOK",
     .kind = ControlKind::CommandButton,
     .parent = "",
     .left = 4245,
     .top = 2625,
     .width = 1260,
     .height = 345,
     .tabIndex = 0,
     .text = u"OK",
     .isDefault = true,
     .isCancel = true},
    {.name = "cmdSysInfo",
     .kind = ControlKind::CommandButton,
     .parent = "",
     .left = 4260,
     .top = 3075,
     .width = 1245,
     .height = 345,
     .tabIndex = 2,
     .text = u"&System Info..."},
    {.name = "Line1",
     .kind = ControlKind::Line,
     .parent = "",
     .arrayIndex = 1,
     .line = LineDesign{90, 2445, 5654, 2445, Rgb{128, 128, 128}, 1}},
    {.name = "lblDescription",
     .kind = ControlKind::Label,
     .parent = "",
     .left = 1050,
     .top = 1125,
     .width = 3885,
     .height = 1170,
     .tabIndex = 3,
     .text = u"При помощи этой программы вы сможете узнать кто вы: Ламер или Профессионал. "
             u"Вопросник обновляется, так что ищите обновлений на https://vornikat.example.org. "
             u"Дополнительные вопросники помогут вам держать титул Профи или Ламера. Качайте и "
             u"наслаждайтесь!",
     .foreColor = kBlack},
    {.name = "lblTitle",
     .kind = ControlKind::Label,
     .parent = "",
     .left = 1050,
     .top = 240,
     .width = 3885,
     .height = 480,
     .tabIndex = 5,
     .text = u"Ворникат",
     .font = kTitleFont,
     .foreColor = kBlack},
    {.name = "Line1",
     .kind = ControlKind::Line,
     .parent = "",
     .arrayIndex = 0,
     .line = LineDesign{105, 2460, 5654, 2460, Rgb{255, 255, 255}, 2}},
    {.name = "lblVersion",
     .kind = ControlKind::Label,
     .parent = "",
     .left = 1050,
     .top = 780,
     .width = 3885,
     .height = 225,
     .tabIndex = 6,
     .text = u"Версия 1.00"},
    {.name = "lblDisclaimer",
     .kind = ControlKind::Label,
     .parent = "",
     .left = 255,
     .top = 2625,
     .width = 3870,
     .height = 825,
     .tabIndex = 4,
     .text = u"Замечание: Если в первый раз программа сказала вам, что вы ламер, значит так оно и "
             u"есть!",
     .foreColor = kBlack},
};

const WindowDesign kHelp{
    .name = "frmHelp",
    .caption = u"О программе \"Ворникат\"",
    .border = BorderStyle::FixedDialog,
    .minimizeButton = false,
    .maximizeButton = false,
    .showInTaskbar = false,
    .centered = true,
    .clientWidth = 5730,
    .clientHeight = 3555,
    .controls = kHelpControls,
};

}  // namespace

const WindowDesign& HelpDesign() {
    return kHelp;
}

}  // namespace vornikat
