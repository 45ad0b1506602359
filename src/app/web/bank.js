// SPDX-License-Identifier: MIT
// The bank: data.bin beside the page, the one ?bank= names, or a file dropped on the page. The
// reader takes it piece by piece and stops where its questions end: the rest of a huge file is
// never fetched.
let droppedFile = null;
let reader = null;
let chunk = null;

function bankUrl() {
  // Blank, as an empty one, names the bank beside the page, not the page itself.
  const named = new URLSearchParams(window.location.search).get("bank") || "";
  return named.trim() || "data.bin";
}

export async function openBank() {
  closeBank();
  try {
    let stream = null;
    if (droppedFile !== null) {
      stream = droppedFile.stream();
    } else {
      const response = await fetch(bankUrl(), { cache: "no-cache" });
      stream = response.ok ? response.body : null;
    }
    if (stream === null) {
      return 0;
    }
    reader = stream.getReader();
    chunk = new Uint8Array(0);
    return 1;
  } catch (error) {
    return 0;
  }
}

// Up to size bytes of the bank; none at its end or when the rest cannot be had.
export async function readBank(size) {
  try {
    while (chunk.length === 0) {
      const { done, value } = await reader.read();
      if (done) {
        return chunk;
      }
      chunk = value;
    }
  } catch (error) {
    return new Uint8Array(0);
  }
  const part = chunk.subarray(0, size);
  chunk = chunk.subarray(part.length);
  return part;
}

export function closeBank() {
  if (reader !== null) {
    reader.cancel().catch(() => {});
    reader = null;
  }
}

export function reportUnreadable() {
  const name = droppedFile !== null ? "the dropped file" : bankUrl();
  console.info(`Vornikat: the question bank ${name} cannot be read.`);
}

// A bank file dropped on the page starts a new game with it (onDrop), unless a box waits.
export function acceptDroppedBanks(isBusy, onDrop) {
  document.addEventListener("dragover", (event) => event.preventDefault());
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (!file || isBusy()) {
      return;
    }
    droppedFile = file;
    onDrop();
  });
}
