// SPDX-License-Identifier: MIT
// Everything that crosses between the editor's module and the editor page's script, both ways,
// in one list; the script's side of each is in src/app/web/editor_boundary.js. Question texts
// cross as UTF-16 code units in the module's memory, messages and lists as UTF-8, files as bytes.
// A text, a message or a file handed back stays valid until the next call that hands one back.
#pragma once

#include <cstdint>

extern "C" {

// The module's entry points, called by the page (defined in src/app/web/editor_main.cpp).
// Rows count from 0; fields are question_check.hpp's.
const char* ve_design();
// 1 when the fit is measured by the page's preview, 0 for the bank tool's estimate.
void ve_use_page_measure(int page);
// 1 when the file opened; the message (ve_message) says what was skipped or wrong either way.
int ve_open(const std::uint8_t* bytes, int size, const char* name);
const char* ve_message();
// The form an Aiken save keeps, in the desktop editor's words ("Windows-1251, CRLF").
const char* ve_form();
// 1 when the bank just opened came from another tool's file (GIFT, Moodle XML, CSV).
int ve_imported();
void ve_new();
int ve_count();
// The text's length is ve_reply_size().
const char16_t* ve_text(int row, int field);
int ve_reply_size();
int ve_right(int row);
void ve_set_text(int row, int field, const char16_t* text, int length);
void ve_set_right(int row, int option);
void ve_insert(int row);
void ve_duplicate(int row);
void ve_remove(int row);
void ve_move(int from, int to);
// 1 and the row and field the step touched in place[0..1], or 0 when there is no step.
int ve_undo(int* place);
int ve_redo(int* place);
int ve_can_undo();
int ve_can_redo();
// [{"field":N,"error":B,"text":"..."}] as JSON.
const char* ve_issues(int row);
const char* ve_bank_issue();
// questions, errors, warnings, and 1 while the bank-wide check goes on, in counts[0..3].
void ve_counts(int* counts);
int ve_check_slice();
void ve_set_require_fit(int required);
int ve_find(const char16_t* text, int length, int start);
// The file's bytes (their size ve_reply_size()), or null with the reason in ve_message(); the
// name the message speaks of in ve_save_name().
const std::uint8_t* ve_bank_bytes();
const std::uint8_t* ve_aiken_bytes();
const char* ve_save_name();
const std::uint8_t* ve_draft_image();
int ve_restore_draft(const std::uint8_t* bytes, int size);

// The page's functions, called by the module (editor_boundary.cpp): the preview measures a text
// as the quiz window lays it out; room[0..2] get taken, shown and a word too wide (0 or 1).
void MeasurePageQuestion(const char16_t* text, int length, int* room);
void MeasurePageOption(const char16_t* text, int length, int* room);

}  // extern "C"
