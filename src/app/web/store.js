// SPDX-License-Identifier: MIT
// The score's store: one item of the page's localStorage, as text (" 33"), read afresh at the
// start of every game, so that a score from another tab, or one the player cleared, counts.
// A score the storage refused (blocked or full) is kept for the rest of the visit, until
// another tab stores one.
const KEY = "Vornikat.LastScore";

let unsaved = null;
let refusalSaid = false;

window.addEventListener("storage", (event) => {
  if (event.key === KEY || event.key === null) {
    unsaved = null;
  }
});

export function readScore() {
  if (unsaved !== null) {
    return { refused: false, text: unsaved };
  }
  try {
    return { refused: false, text: window.localStorage.getItem(KEY) };
  } catch (error) {
    return { refused: true, text: null };
  }
}

export function writeScore(text) {
  try {
    window.localStorage.setItem(KEY, text);
    unsaved = null;
    return true;
  } catch (error) {
    unsaved = text;
    return false;
  }
}

export function sayStorageRefused() {
  if (!refusalSaid) {
    refusalSaid = true;
    console.info(
      "Vornikat: the browser refuses its storage or it is full; the score is kept for this visit only.");
  }
}
