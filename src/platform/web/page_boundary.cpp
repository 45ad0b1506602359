// SPDX-License-Identifier: MIT
// The page's functions as the module sees them: each hands its arguments to the handler that
// boundary.js gave the module, which turns pointers into the script's values.
#include "page_boundary.hpp"

#include <emscripten.h>

// clang-format off
EM_JS(void, SetPageCaption, (const char* control, const char16_t* text, int length), {
    Module.page.setCaption(control, text, length);
});
EM_JS(int, GetPageValue, (const char* control), {
    return Module.page.getValue(control);
});
EM_JS(void, SetPageValue, (const char* control, int value), {
    Module.page.setValue(control, value);
});
EM_JS(void, FocusPageControl, (const char* control), {
    Module.page.focus(control);
});
EM_JS(void, SetPageTimer, (int milliseconds), {
    Module.page.setTimer(milliseconds);
});
EM_JS(void, PlayPageSound, (const std::uint8_t* image, int size), {
    Module.page.playWave(image, size);
});
EM_JS(void, EndPage, (int status), {
    Module.page.end(status);
});
EM_ASYNC_JS(int, AskPage, (const char16_t* text, int length, int flags), {
    return await Module.page.showMessage(text, length, flags);
});
EM_ASYNC_JS(int, OpenPageBank, (), {
    return await Module.page.openBank();
});
EM_ASYNC_JS(int, ReadPageBank, (std::uint8_t* buffer, int size), {
    return await Module.page.readBank(buffer, size);
});
EM_JS(void, ClosePageBank, (), {
    Module.page.closeBank();
});
EM_JS(void, ReportPageBank, (const char* name), {
    Module.page.reportUnreadable(name);
});
EM_JS(char*, ReadStoredScore, (int* refused), {
    return Module.page.readScore(refused);
});
EM_JS(int, WriteStoredScore, (const char* text), {
    return Module.page.writeScore(text);
});
EM_JS(void, SayStorageRefused, (), {
    Module.page.sayStorageRefused();
});
// clang-format on
