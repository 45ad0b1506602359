// SPDX-License-Identifier: MIT
// What crosses between the module (vornikat.js and vornikat.wasm) and the page's script, both
// ways, in one list; the module's side is src/platform/web/page_boundary.hpp. Pointers into the
// module's memory become the script's values here and nowhere else.

import { readUtf16 } from "./module_text.js";

// The page's functions the module calls; connect() takes each by this name.
const IMPORTS = [
  "setCaption", "getValue", "setValue", "focus", "setTimer", "playWave", "end", "showMessage",
  "openBank", "readBank", "closeBank", "reportUnreadable", "readScore", "writeScore",
  "sayStorageRefused",
];

let module = null;
let busy = false;

function textAt(pointer, length) {
  return readUtf16(module, pointer, length);
}

function nameAt(pointer) {
  return module.UTF8ToString(pointer);
}

// A text handed to the module lives in a block of malloc's that the module frees.
function copyToModule(text) {
  const bytes = new TextEncoder().encode(`${text}\0`);
  const block = module._malloc(bytes.length);
  module.HEAPU8.set(bytes, block);
  return block;
}

function adapt(page) {
  return {
    setCaption: (control, text, length) => page.setCaption(nameAt(control), textAt(text, length)),
    getValue: (control) => page.getValue(nameAt(control)),
    setValue: (control, value) => page.setValue(nameAt(control), value),
    focus: (control) => page.focus(nameAt(control)),
    setTimer: (milliseconds) => page.setTimer(milliseconds),
    playWave: (image, size) => page.playWave(module.HEAPU8.slice(image, image + size)),
    end: (status) => page.end(status),
    showMessage: (text, length, flags) => page.showMessage(textAt(text, length), flags),
    openBank: () => page.openBank(),
    // The memory may have grown while the bytes came: the heap is looked up after the wait.
    readBank: async (buffer, size) => {
      const bytes = await page.readBank(size);
      module.HEAPU8.set(bytes, buffer);
      return bytes.length;
    },
    closeBank: () => page.closeBank(),
    reportUnreadable: (name) => page.reportUnreadable(nameAt(name)),
    readScore: (refused) => {
      const stored = page.readScore();
      if (stored.refused) {
        module.HEAP32[refused >> 2] = 1;
      }
      return stored.text === null ? 0 : copyToModule(stored.text);
    },
    writeScore: (text) => (page.writeScore(nameAt(text)) ? 1 : 0),
    sayStorageRefused: () => page.sayStorageRefused(),
  };
}

// Loads the module (a classic script that takes its settings from window.Module) with the
// page's functions, and resolves once it runs.
export function connect(page) {
  const missing = IMPORTS.filter((name) => typeof page[name] !== "function");
  if (missing.length > 0) {
    return Promise.reject(new Error(`the page lacks ${missing.join(", ")}`));
  }
  return new Promise((resolve, reject) => {
    module = {
      page: adapt(page),
      onRuntimeInitialized: resolve,
      onAbort: () => reject(new Error("vornikat.wasm did not load")),
    };
    window.Module = module;
    const loader = document.createElement("script");
    loader.src = new URL("vornikat.js", import.meta.url).href;
    loader.addEventListener("error", () => reject(new Error("vornikat.js did not load")));
    document.head.append(loader);
  });
}

// The module's entry points ------------------------------------------------------------------

export function readDesign(help) {
  return JSON.parse(module.ccall("vk_design", "string", ["number"], [help ? 1 : 0]));
}

export function isBusy() {
  return busy;
}

// One event of the quiz, run to its end (boxes included) before the next one is taken; an event
// that comes meanwhile is dropped and gives 0.
async function run(name) {
  if (busy) {
    return 0;
  }
  busy = true;
  try {
    return await module.ccall(name, "number", [], [], { async: true });
  } finally {
    busy = false;
  }
}

// 1 when the game goes on after its start-up, 0 when it ended there.
export const startGame = () => run("vk_start");
export const pressNext = () => run("vk_next");
export const tick = () => run("vk_tick");
export const pressExit = () => run("vk_exit");
export const requestClose = () => run("vk_close");
export const pressSysInfo = () => run("vk_sysinfo");
