// SPDX-License-Identifier: MIT
// The bank being edited, kept in the browser as it is edited, so that a reload, a closed tab or a
// crash brings it back; and whether it holds work not yet downloaded, which the page asks about
// before it drops it. Writes wait for a pause in typing, and go at once when the page is hidden
// or left, since a tab may be killed after that without another word. Each tab keeps a draft
// of its own, so that two tabs never write over each other's work: a reload finds its tab's
// draft again, and a new tab takes over the newest one no open tab is editing (a tab closed or
// crashed), or starts afresh.
import * as boxes from "./boxes.js";
import * as editor from "./editor_boundary.js";
import * as kept from "./kept_items.js";

const PAUSE_MS = 400;
const STORAGE_REFUSED =
  "Браузер не даёт сохранить черновик банка (хранилище переполнено или запрещено, как в " +
  "приватном окне). Правки не переживут перезагрузку или закрытие вкладки: скачайте банк, " +
  "чтобы их не потерять.";

// The tab's name, kept by the tab across its reloads.
const TAB_NAME = "vornikat-editor-tab";

let ownKey = "";
let name = "";
let unsaved = false;
// A bank brought in from another tool's file is unsaved work from the start, until downloaded.
let broughtIn = false;
let pending = 0;
let refusalTold = false;

function tellRefusal() {
  if (refusalTold) {
    return;
  }
  refusalTold = true;
  boxes.showMessage(STORAGE_REFUSED, 64, "Редактор вопросов Ворниката");
}

function writeNow() {
  window.clearTimeout(pending);
  pending = 0;
  const record = { image: editor.draftImage(), name, unsaved, at: Date.now() };
  kept.writeItem(ownKey, record).catch(tellRefusal);
}

function writeSoon() {
  window.clearTimeout(pending);
  pending = window.setTimeout(writeNow, PAUSE_MS);
}

function flush() {
  if (pending !== 0) {
    writeNow();
  }
}

// A new name for the tab; where the tab's storage is refused it lasts until a reload.
function nameTab() {
  const tab = `${Date.now().toString(36)}-${Math.random().toString(36).slice(2)}`;
  try {
    sessionStorage.setItem(TAB_NAME, tab);
  } catch (error) {
    // The draft is still kept, though a reload will not know it as this tab's.
  }
  return tab;
}

function tabName() {
  try {
    return sessionStorage.getItem(TAB_NAME) || nameTab();
  } catch (error) {
    return nameTab();
  }
}

// Holds the key's lock while the tab lives, so that other tabs see its draft is in use; false
// where another tab holds it already (a duplicated tab, which inherits the name).
function holdKey(key) {
  if (!navigator.locks) {
    return Promise.resolve(true);
  }
  return new Promise((resolve) => {
    navigator.locks.request(key, { ifAvailable: true }, (lock) => {
      resolve(lock !== null);
      return lock === null ? null : new Promise(() => {});
    });
  });
}

async function keysInUse() {
  if (!navigator.locks) {
    return new Set();
  }
  const { held } = await navigator.locks.query();
  return new Set(held.map((lock) => lock.name));
}

// The tab's own draft, or the newest one left by a tab gone, taken over as the tab's own.
async function takeDraft() {
  ownKey = kept.DRAFT + tabName();
  while (!(await holdKey(ownKey))) {
    ownKey = kept.DRAFT + nameTab();
  }
  const own = await kept.readItem(ownKey);
  if (own) {
    return own;
  }
  return navigator.locks
    ? navigator.locks.request("vornikat-draft-takeover", takeLeftDraft)
    : takeLeftDraft();
}

// One tab at a time, so that two tabs opened at once never take the same draft.
async function takeLeftDraft() {
  const inUse = await keysInUse();
  let newest = null;
  for (const key of await kept.readKeys()) {
    if (typeof key === "string" && key.startsWith(kept.DRAFT) && !inUse.has(key)) {
      const record = await kept.readItem(key);
      if (record && (newest === null || (record.at || 0) > (newest.record.at || 0))) {
        newest = { key, record };
      }
    }
  }
  if (newest === null) {
    return undefined;
  }
  await kept.moveItem(newest.key, ownKey, newest.record);
  return newest.record;
}

// At the start: the draft this tab, or a tab gone, kept, if any and whole.
export async function restoreKeptDraft() {
  let record;
  try {
    record = await takeDraft();
  } catch (error) {
    tellRefusal();
    return { restored: false, name: "" };
  }
  if (!record || !(record.image instanceof Uint8Array) || !editor.restoreDraft(record.image)) {
    return { restored: false, name: "" };
  }
  name = String(record.name || "");
  unsaved = Boolean(record.unsaved);
  return { restored: true, name };
}

// After every edit, and after a New or an Open: a bank with no history yet is one just opened,
// whose work the author has kept or agreed to drop, but for one brought in from another tool's
// file (imported), which is saved in no form the quiz reads (a restored draft has no history
// either, and keeps what its record says until its first edit).
export function keepDraft(bankName, imported = broughtIn) {
  name = String(bankName || "");
  broughtIn = imported;
  unsaved = editor.canUndo() || editor.canRedo() || broughtIn;
  writeSoon();
}

// The whole bank was downloaded.
export function markSaved() {
  unsaved = false;
  broughtIn = false;
  writeSoon();
}

export function hasUnsavedWork() {
  return unsaved;
}

// The name the bank came in with, for the names of its downloads.
export function draftName() {
  return name;
}

window.addEventListener("pagehide", flush);
document.addEventListener("visibilitychange", () => {
  if (document.visibilityState === "hidden") {
    flush();
  }
});
window.addEventListener("beforeunload", (event) => {
  flush();
  if (unsaved) {
    event.preventDefault();
    event.returnValue = "";
  }
});
