// SPDX-License-Identifier: MIT
// The labels of the windows as built under Wine, at the display's usual and large DPI: every
// text drawn whole inside its label and within the window, and the About box's title drawn
// bold. Wine stands another face in for the designs' bitmap face, and its first stand-in cuts
// the About box's disclaimer and draws its title hardly heavier than regular.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "designed_controls.hpp"
#include "label_font.hpp"
#include "layout.hpp"

namespace vornikat::win32 {
namespace {

class DesignedLabels : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        controls.Release();
        DestroyWindow(window);
    }

    void Build(const WindowDesign& design) {
        controls.Build(window, GetModuleHandleW(nullptr), design, GetParam());
    }

    // Checks each label of the design as built: its text leaves no ink outside it, and it lies
    // within the window's client area.
    void ExpectEveryLabelWhole(const WindowDesign& design) {
        const int clientWidth = TwipsToPixels(design.clientWidth, GetParam());
        const int clientHeight = TwipsToPixels(design.clientHeight, GetParam());
        for (const auto& c : design.controls) {
            if (c.kind != ControlKind::Label || !c.parent.empty()) {
                continue;
            }
            const HWND label = controls.Find(c.name);
            ASSERT_NE(label, nullptr) << c.name;
            RECT rect{};
            GetWindowRect(label, &rect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_GE(rect.left, 0) << c.name;
            EXPECT_GE(rect.top, 0) << c.name;
            EXPECT_LE(rect.right, clientWidth) << c.name;
            EXPECT_LE(rect.bottom, clientHeight) << c.name;
            wchar_t text[1024] = {};
            GetWindowTextW(label, text, 1024);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            const UINT format =
                LabelTextFormat(static_cast<DWORD>(GetWindowLongW(label, GWL_STYLE)));
            EXPECT_TRUE(
                TextFitsLabel(font, text, {rect.right - rect.left, rect.bottom - rect.top}, format))
                << c.name << " in " << FaceOf(font);
        }
    }

    HWND window = nullptr;
    DesignedControls controls;
};

TEST_P(DesignedLabels, TheAboutBoxShowsEveryTextWholeAndItsTitleBold) {
    Build(HelpDesign());
    ExpectEveryLabelWhole(HelpDesign());

    const HWND title = controls.Find("lblTitle");
    const auto font = reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0));
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_GE(metrics.tmWeight, FW_BOLD);
    EXPECT_TRUE(WeightShows(font, L"Ворникат"));

    // Labels with room to spare keep their designed size.
    RECT version{};
    GetClientRect(controls.Find("lblVersion"), &version);
    EXPECT_EQ(version.right, TwipsToPixels(3885, GetParam()));
    EXPECT_EQ(version.bottom, TwipsToPixels(225, GetParam()));
}

TEST_P(DesignedLabels, MainShowsEveryTextWhole) {
    Build(MainDesign());
    ExpectEveryLabelWhole(MainDesign());
}

INSTANTIATE_TEST_SUITE_P(AtUsualAndLargeDpi, DesignedLabels, ::testing::Values(96, 144));

}  // namespace
}  // namespace vornikat::win32
