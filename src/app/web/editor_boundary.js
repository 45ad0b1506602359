// SPDX-License-Identifier: MIT
// What crosses between the editor's module (vornikat-editor.js and .wasm) and the editor page's
// script, both ways, in one list; the module's side is src/platform/web/editor_boundary.hpp.
// Pointers into the module's memory become the script's values here and nowhere else. Fields
// are numbered as the module's checks number them: 0 the question, 1..5 the options, 6 the
// right option, 7 the first option past the fifth.

import loadVornikatEditor from "./vornikat-editor.js";
import { readUtf16 } from "./module_text.js";

let module = null;

function textAt(pointer, length) {
  return readUtf16(module, pointer, length);
}

function bytesAt(pointer) {
  if (pointer === 0) {
    return null;
  }
  return module.HEAPU8.slice(pointer, pointer + module._ve_reply_size());
}

function utf8At(pointer) {
  return module.UTF8ToString(pointer);
}

// Runs call with blocks of malloc's holding the arguments, freed after it.
function withBlocks(sizes, call) {
  const blocks = sizes.map((size) => module._malloc(Math.max(size, 1)));
  try {
    return call(...blocks);
  } finally {
    blocks.forEach((block) => module._free(block));
  }
}

function withText(text, call) {
  return withBlocks([text.length * 2], (block) => {
    for (let i = 0; i < text.length; i += 1) {
      module.HEAPU16[(block >> 1) + i] = text.charCodeAt(i);
    }
    return call(block, text.length);
  });
}

// bytes: a Uint8Array or an ArrayBuffer.
function withBytes(bytes, call) {
  const view = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
  return withBlocks([view.length], (block) => {
    module.HEAPU8.set(view, block);
    return call(block, view.length);
  });
}

function withName(name, call) {
  const bytes = new TextEncoder().encode(`${name}\0`);
  return withBytes(bytes, (block) => call(block));
}

// The page's measure of a text as the preview lays it out, written where the module asks.
function measureFor(measure) {
  return (kind, text, length, room) => {
    const value = textAt(text, length);
    const found = kind === 0 ? measure.question(value) : measure.option(value);
    module.HEAP32[room >> 2] = found.taken;
    module.HEAP32[(room >> 2) + 1] = found.shown;
    module.HEAP32[(room >> 2) + 2] = found.wordTooWide ? 1 : 0;
  };
}

// measure: {question(text), option(text)} -> {taken, shown, wordTooWide}, the preview's; without
// one the module estimates, as the bank tool does.
export async function loadEditorModule(measure) {
  module = await loadVornikatEditor({
    editorPage: { measure: measure ? measureFor(measure) : () => {} },
    locateFile: (file) => new URL(file, import.meta.url).href,
  });
  module._ve_use_page_measure(measure ? 1 : 0);
}

export function mainDesign() {
  return JSON.parse(utf8At(module._ve_design()));
}

// Any file the editor opens: Aiken text in any encoding, GIFT, Moodle XML, CSV, data.bin. When
// nothing opens the bank stays as it was; the message is '' or the text for a box.
export function openBytes(bytes, name = "") {
  const opened =
    withName(name, (namePointer) =>
      withBytes(bytes, (block, size) => module._ve_open(block, size, namePointer)),
    ) === 1;
  return {
    opened,
    count: module._ve_count(),
    message: utf8At(module._ve_message()),
    form: utf8At(module._ve_form()),
    imported: module._ve_imported() === 1,
  };
}

export function newBank() {
  module._ve_new();
}

export function count() {
  return module._ve_count();
}

export function text(row, field) {
  return textAt(module._ve_text(row, field), module._ve_reply_size());
}

export function right(row) {
  return module._ve_right(row);
}

export function setText(row, field, value) {
  withText(value, (block, length) => module._ve_set_text(row, field, block, length));
}

export function setRight(row, option) {
  module._ve_set_right(row, option);
}

export function insert(row) {
  module._ve_insert(row);
}

export function duplicate(row) {
  module._ve_duplicate(row);
}

export function remove(row) {
  module._ve_remove(row);
}

export function move(from, to) {
  module._ve_move(from, to);
}

function step(name) {
  return withBlocks([8], (place) => {
    if (module[name](place) === 0) {
      return null;
    }
    return { row: module.HEAP32[place >> 2], field: module.HEAP32[(place >> 2) + 1] };
  });
}

export function undo() {
  return step("_ve_undo");
}

export function redo() {
  return step("_ve_redo");
}

export function canUndo() {
  return module._ve_can_undo() === 1;
}

export function canRedo() {
  return module._ve_can_redo() === 1;
}

export function issues(row) {
  return JSON.parse(utf8At(module._ve_issues(row)));
}

export function bankIssue() {
  return utf8At(module._ve_bank_issue());
}

export function counts() {
  return withBlocks([16], (block) => {
    module._ve_counts(block);
    const at = block >> 2;
    return {
      questions: module.HEAP32[at],
      errors: module.HEAP32[at + 1],
      warnings: module.HEAP32[at + 2],
      checking: module.HEAP32[at + 3] === 1,
    };
  });
}

// A few milliseconds of the bank-wide check; the questions left unchecked.
export function checkSlice() {
  return module._ve_check_slice();
}

export function setRequireFit(required) {
  module._ve_set_require_fit(required ? 1 : 0);
}

export function find(value, start) {
  return withText(value, (block, length) => module._ve_find(block, length, start));
}

// name: the file the message speaks of, and the one to download the bytes as.
function saved(pointer) {
  return {
    bytes: bytesAt(pointer),
    message: utf8At(module._ve_message()),
    name: utf8At(module._ve_save_name()),
  };
}

export function bankBytes() {
  return saved(module._ve_bank_bytes());
}

export function aikenBytes() {
  return saved(module._ve_aiken_bytes());
}

export function draftImage() {
  return bytesAt(module._ve_draft_image());
}

export function restoreDraft(bytes) {
  return withBytes(bytes, (block, size) => module._ve_restore_draft(block, size)) === 1;
}
