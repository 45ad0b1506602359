// SPDX-License-Identifier: MIT
// The editor page's functions as the module sees them: each hands its arguments to the measure
// that editor_boundary.js gave the module, which turns pointers into the script's values.
#include "editor_boundary.hpp"

#include <emscripten.h>

// clang-format off
EM_JS(void, MeasurePageQuestion, (const char16_t* text, int length, int* room), {
    Module.editorPage.measure(0, text, length, room);
});
EM_JS(void, MeasurePageOption, (const char16_t* text, int length, int* room), {
    Module.editorPage.measure(1, text, length, room);
});
// clang-format on
