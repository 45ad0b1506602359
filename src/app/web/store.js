// SPDX-License-Identifier: MIT
// The score's store: one item of the page's localStorage, as text (" 33"). Storage that is
// refused or full is said once by the module, which keeps the score for the visit.
const KEY = "Vornikat.LastScore";

export function readScore() {
  try {
    return { refused: false, text: window.localStorage.getItem(KEY) };
  } catch (error) {
    return { refused: true, text: null };
  }
}

export function writeScore(text) {
  try {
    window.localStorage.setItem(KEY, text);
    return true;
  } catch (error) {
    return false;
  }
}

export function sayStorageRefused() {
  console.info(
    "Vornikat: the browser refuses its storage or it is full; the score is kept for this visit only.");
}
