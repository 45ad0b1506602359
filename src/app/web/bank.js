// SPDX-License-Identifier: MIT
// The bank: data.bin beside the page, the one ?bank= names (a data: link too), the one the
// editor's «Играть» kept in the browser for ?bank-from=editor, or a file the player dropped or
// picked. The reader takes a data.bin piece by piece and stops where its questions end, so the
// rest of a huge file is never fetched; a bank written as text is read whole.
import * as kept from "./kept_items.js";
import * as loading from "./loading.js";

let droppedFile = null;
let reader = null;
let chunk = null;
let read = 0;
let total = 0;
let stop = null;
let watchdog = 0;

// A bank that sends nothing for this long is given up, as one that cannot be read. The tests
// shorten it with ?stall-ms=.
const STALL_MS = Number(new URLSearchParams(window.location.search).get("stall-ms")) || 30000;

// Each sign of life sets the clock back; at its end, or at «Отмена», the bank is given up.
function watch() {
  window.clearTimeout(watchdog);
  watchdog = window.setTimeout(() => stop.abort(), STALL_MS);
}

const fromEditor = new URLSearchParams(window.location.search).get("bank-from") === "editor";

function bankUrl() {
  // Blank, as an empty one, names the bank beside the page, not the page itself.
  const named = new URLSearchParams(window.location.search).get("bank") || "";
  return named.trim() || "data.bin";
}

function bankName() {
  return fromEditor ? "банк из редактора" : bankUrl();
}

// A bank written as text (Aiken) goes to the module whole; a data.bin piece by piece.
function isTextBank(name) {
  return /\.txt$/i.test(name);
}

// A bank inside its link: decoded here, since a strict policy lets the page fetch no data: URL.
function dataBank(url) {
  const comma = url.indexOf(",");
  const head = url.slice(5, comma);
  const body = url.slice(comma + 1);
  const bytes = /;base64$/i.test(head)
    ? Uint8Array.from(atob(body.replace(/\s/g, "")), (c) => c.charCodeAt(0))
    : new TextEncoder().encode(decodeURIComponent(body));
  return { stream: new Blob([bytes]).stream(), text: /^text\//i.test(head) };
}

// The bank «Играть» left in the browser: a data.bin, checked by the editor.
async function editedBank() {
  const item = await kept.readItem(kept.PLAYED_BANK);
  if (!item || !(item.bytes instanceof Uint8Array)) {
    return { stream: null, text: false };
  }
  total = item.bytes.length;
  return { stream: new Blob([item.bytes]).stream(), text: false };
}

async function fetchBank(url) {
  if (/^data:[^,]*,/i.test(url)) {
    return dataBank(url);
  }
  const response = await fetch(url, { cache: "no-cache", signal: stop.signal });
  const path = new URL(response.url || url, window.location.href).pathname;
  total = Number(response.headers.get("Content-Length")) || 0;
  return { stream: response.ok ? response.body : null, text: isTextBank(path) };
}

// A promise that fails once the bank is given up, whatever it waits for.
function unlessStopped(promise) {
  return new Promise((resolve, reject) => {
    if (stop.signal.aborted) {
      reject(new Error("given up"));
    }
    stop.signal.addEventListener("abort", () => reject(new Error("given up")));
    promise.then(resolve, reject);
  });
}

// 0: no bank; 1: a data.bin; 2: a bank written as text.
export async function openBank() {
  closeBank();
  stop = new AbortController();
  read = 0;
  total = droppedFile !== null ? droppedFile.size : 0;
  loading.showBank(droppedFile !== null ? droppedFile.name : bankName(), () => stop.abort());
  watch();
  try {
    let bank;
    if (droppedFile !== null) {
      bank = { stream: droppedFile.stream(), text: isTextBank(droppedFile.name) };
    } else {
      bank = await unlessStopped(fromEditor ? editedBank() : fetchBank(bankUrl()));
    }
    if (bank.stream === null) {
      closeBank();
      return 0;
    }
    reader = bank.stream.getReader();
    chunk = new Uint8Array(0);
    loading.showBytes(read, total);
    return bank.text ? 2 : 1;
  } catch (error) {
    closeBank();
    return 0;
  }
}

// Up to size bytes of the bank; none at its end or when the rest cannot be had.
export async function readBank(size) {
  try {
    while (chunk.length === 0) {
      const { done, value } = await unlessStopped(reader.read());
      if (done) {
        return chunk;
      }
      chunk = value;
      read += value.length;
      loading.showBytes(read, total);
      watch();
    }
  } catch (error) {
    return new Uint8Array(0);
  }
  const part = chunk.subarray(0, size);
  chunk = chunk.subarray(part.length);
  return part;
}

export function closeBank() {
  window.clearTimeout(watchdog);
  loading.hideBank();
  if (reader !== null) {
    reader.cancel().catch(() => {});
    reader = null;
  }
  if (stop !== null) {
    stop.abort();
  }
}

// A broken bank of the player's own is told once: the next game plays the page's own bank.
export function reportUnreadable() {
  let name = fromEditor ? "from the editor" : bankUrl();
  if (droppedFile !== null) {
    name = "the dropped file";
  }
  droppedFile = null;
  console.info(`Vornikat: the question bank ${name} cannot be read.`);
}

// A bank file dropped on the page, or picked with «Открыть банк…», starts a new game with it once
// confirm(name) allows; nothing is taken while a box waits.
export function acceptPlayersBanks(isBusy, confirm, onBank) {
  const take = async (file) => {
    if (!file || isBusy() || !(await confirm(file.name))) {
      return;
    }
    droppedFile = file;
    onBank();
  };
  const picker = document.getElementById("open-bank");
  picker.addEventListener("change", () => {
    const file = picker.files[0];
    picker.value = "";
    take(file);
  });
  document.addEventListener("dragover", (event) => event.preventDefault());
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    take(event.dataTransfer.files[0]);
  });
}
