// SPDX-License-Identifier: MIT
// Puts one window of Vornikat.exe on screen for its picture: "main" after the first-run
// greeting, "about" with the About box open. Prints the window's screen rectangle as
// WIDTHxHEIGHT+LEFT+TOP, then keeps the program up until a line arrives on standard input.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "program_driver.hpp"

using namespace vornikat::win32test;

int main(int argc, char** argv) {
    const std::string which = argc > 1 ? argv[1] : "";
    if (which != "main" && which != "about") {
        std::fprintf(stderr, "usage: win32_pose main|about\n");
        return 2;
    }
    DeleteScoreKeys();
    RunningProgram program;
    for (int answer : {IDYES, IDOK}) {
        const HWND box = program.WaitForMessageBox();
        if (box == nullptr || !Answer(box, answer)) {
            std::fprintf(stderr, "win32_pose: no greeting\n");
            return 1;
        }
    }
    HWND shown = program.WaitForMain();
    if (shown != nullptr && which == "about") {
        Click(ChildWithText(shown, L"Помощь"));
        shown = program.WaitForWindow(L"", L"О программе \"Ворникат\"");
    }
    if (shown == nullptr) {
        std::fprintf(stderr, "win32_pose: the window did not come up\n");
        return 1;
    }
    Sleep(500);  // let it paint
    RECT rect{};
    GetWindowRect(shown, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    DeleteScoreKeys();
    return 0;
}
