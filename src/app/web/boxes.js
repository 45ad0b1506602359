// SPDX-License-Identifier: MIT
// The message boxes Body shows, each a modal dialog that answers as the desktop's box does.
import { unlockAudio } from "./sounds.js";
import { keepFocusOnClick, putAccessKeyText, wrapFocus } from "./windows.js";

const ANSWER_YES = 6;
const ANSWER_NO = 7;
const ANSWER_OK = 1;
const ICONS = { 16: "critical", 32: "question", 64: "information" };
const MARKS = { critical: "×", question: "?", information: "i" };

function buildBox(text, icon, caption) {
  const box = document.createElement("dialog");
  box.className = "window msgbox";
  const title = document.createElement("div");
  title.className = "titlebar";
  title.id = "msgbox-title";
  title.textContent = caption;
  const body = document.createElement("div");
  body.className = "msgbody";
  if (icon) {
    const mark = document.createElement("span");
    mark.className = `icon ${icon}`;
    mark.setAttribute("aria-hidden", "true");
    mark.textContent = MARKS[icon];
    body.append(mark);
  }
  const message = document.createElement("p");
  message.id = "msgbox-text";
  message.textContent = text.replace(/\r/g, "\n");
  body.append(message);
  const buttons = document.createElement("div");
  buttons.className = "buttons";
  box.setAttribute("aria-labelledby", title.id);
  box.setAttribute("aria-describedby", message.id);
  box.append(title, body, buttons);
  return { box, buttons };
}

// Resolves to the answer's code (Yes 6, No 7, OK 1) once the player gives it.
export function showMessage(text, flags, caption) {
  const yesNo = (flags & 0x0f) === 4;
  const { box, buttons } = buildBox(text, ICONS[flags & 0x70], caption);
  const choices = yesNo ? [["&Да", ANSWER_YES], ["&Нет", ANSWER_NO]] : [["OK", ANSWER_OK]];
  const listeners = new AbortController();
  const { signal } = listeners;
  return new Promise((resolve) => {
    const answer = (value) => {
      listeners.abort();
      box.close();
      box.remove();
      resolve(value);
    };
    const accessKeys = {};
    for (const [label, value] of choices) {
      const button = document.createElement("button");
      button.type = "button";
      button.className = "command";
      const key = putAccessKeyText(button, label);
      if (key) {
        accessKeys[key] = button;
      }
      button.addEventListener(
        "click",
        () => {
          unlockAudio();
          answer(value);
        },
        { signal });
      buttons.append(button);
    }
    // A button's letter answers, with Alt or without, as in the desktop's boxes.
    box.addEventListener(
      "keydown",
      (event) => {
        const button = accessKeys[event.key.toLowerCase()];
        if (button && !event.ctrlKey && !event.metaKey) {
          event.preventDefault();
          button.click();
        } else if (event.key === "Tab" && !event.altKey && !event.ctrlKey) {
          wrapFocus([...buttons.children], event);
        }
      },
      { signal });
    // Esc answers No, or OK where OK is the only button.
    box.addEventListener(
      "cancel",
      (event) => {
        event.preventDefault();
        answer(yesNo ? ANSWER_NO : ANSWER_OK);
      },
      { signal });
    keepFocusOnClick(box, signal);
    document.body.append(box);
    box.showModal();
    // MB_DEFBUTTON2: the second button takes Enter, where the first would drop work.
    (flags & 0x100 ? buttons.children[1] : buttons.firstChild).focus();
  });
}
