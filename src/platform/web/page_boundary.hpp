// SPDX-License-Identifier: MIT
// Everything that crosses between the module and the page's script, both ways, in one list; the
// script's side of each is in src/app/web/boundary.js. Texts go to the page as UTF-16 code units
// in the module's memory, names of controls as UTF-8.
#pragma once

#include <emscripten/em_macros.h>

#include <cstdint>

extern "C" {

// The module's entry points, called by the page (defined in src/app/web/main.cpp).
const char* vk_design(int help);
int vk_start();
void vk_next();
void vk_tick();
void vk_exit();
void vk_close();
void vk_sysinfo();

// The page's functions, called by the module (page_boundary.cpp).
void SetPageCaption(const char* control, const char16_t* text, int length);
int GetPageValue(const char* control);
void SetPageValue(const char* control, int value);
void FocusPageControl(const char* control);
void SetPageTimer(int milliseconds);
void PlayPageSound(const std::uint8_t* image, int size);
void EndPage(int status);
// These three wait for the player or the network: the module's stack is put aside meanwhile,
// and the script's side is reached through the name the waiting wrapper takes.
int AskPage(const char16_t* text, int length, int flags) EM_IMPORT(__asyncjs__AskPage);
// 0: no bank; 1: a data.bin, read as the reader asks; 2: a bank written as text, read whole.
int OpenPageBank() EM_IMPORT(__asyncjs__OpenPageBank);
int ReadPageBank(std::uint8_t* buffer, int size) EM_IMPORT(__asyncjs__ReadPageBank);
void ClosePageBank();
void ReportPageBank(const char* name);
// The stored score as UTF-8 in a block of malloc's, or null when none is stored or the storage
// is refused (refused set to 1).
char* ReadStoredScore(int* refused);
int WriteStoredScore(const char* text);
// Said once in a visit, however often the storage refuses.
void SayStorageRefused();

}  // extern "C"
