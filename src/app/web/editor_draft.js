// SPDX-License-Identifier: MIT
// The bank being edited, kept in the browser as it is edited, so that a reload, a closed tab or a
// crash brings it back; and whether it holds work not yet downloaded, which the page asks about
// before it drops it. Writes wait for a pause in typing, and go at once when the page is hidden
// or left, since a tab may be killed after that without another word.
import * as boxes from "./boxes.js";
import * as editor from "./editor_boundary.js";
import * as kept from "./kept_items.js";

const PAUSE_MS = 400;
const STORAGE_REFUSED =
  "Браузер не даёт сохранить черновик банка (хранилище переполнено или запрещено, как в " +
  "приватном окне). Правки не переживут перезагрузку или закрытие вкладки: скачайте банк, " +
  "чтобы их не потерять.";

let name = "";
let unsaved = false;
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
  const record = { image: editor.draftImage(), name, unsaved };
  kept.writeItem(kept.DRAFT, record).catch(tellRefusal);
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

// At the start: the draft kept by the last visit, if any and whole.
export async function restoreKeptDraft() {
  let record;
  try {
    record = await kept.readItem(kept.DRAFT);
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
// whose work the author has kept or agreed to drop (a restored draft has none either, and keeps
// what its record says until its first edit).
export function keepDraft(bankName) {
  name = String(bankName || "");
  unsaved = editor.canUndo() || editor.canRedo();
  writeSoon();
}

// The whole bank was downloaded.
export function markSaved() {
  unsaved = false;
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
