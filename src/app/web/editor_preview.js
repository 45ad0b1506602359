// SPDX-License-Identifier: MIT
// The preview: a picture of the quiz page's own Main, built by windows.js from the design, with
// the current question as the quiz shows it before its answer: «0/N» right of those judged,
// a minute on the clock, the first option chosen, and «◀ верный» beside the right option
// outside the window. The checks measure the texts in this window's own controls, so a text is
// flagged exactly when the page would cut it.
import * as windows from "./windows.js";

const OPTION_NAMES = ["Ans1", "Ans2", "Ans3", "Ans4", "Ans5"];

let picture = null;
let mark = null;
let holder = null;
// Hidden copies of LblQ and of an option's text, out of the picture's scaling, for measuring.
let questionProbe = null;
let optionProbe = null;
let lineHeight = 0;
let shownLines = 0;
let optionRoom = 0;
const shown = { question: null, options: [], right: -1, number: -1 };

function buildProbes() {
  const probes = document.createElement("div");
  probes.className = "probes";
  probes.setAttribute("aria-hidden", "true");
  const label = picture.byName.LblQ;
  questionProbe = document.createElement("div");
  questionProbe.className = "label";
  const style = getComputedStyle(label);
  questionProbe.style.font = style.font;
  questionProbe.style.textAlign = style.textAlign;
  questionProbe.style.width = `${label.clientWidth}px`;
  const option = picture.byName.Ans1;
  const caption = option.querySelector("span");
  optionProbe = document.createElement("span");
  optionProbe.style.font = getComputedStyle(caption).font;
  probes.append(questionProbe, optionProbe);
  document.body.append(probes);
  questionProbe.textContent = "Ж";
  lineHeight = questionProbe.getBoundingClientRect().height;
  shownLines = Math.floor(label.clientHeight / lineHeight + 1e-6);
  // The caption's room: from its left edge to the option's right, which cuts it.
  const input = option.querySelector("input");
  const inputStyle = getComputedStyle(input);
  const optionStyle = getComputedStyle(option);
  optionRoom = Math.floor(option.clientWidth - input.offsetWidth -
                          parseFloat(inputStyle.marginLeft) - parseFloat(inputStyle.marginRight) -
                          parseFloat(optionStyle.columnGap || "0") + 1e-6);
  questionProbe.textContent = "";
}

// The quiz's window, built once into its place on the page.
export function buildPreview(container, design) {
  picture = windows.buildPicture(design, "preview-window");
  const row = document.createElement("div");
  row.className = "preview-row";
  mark = document.createElement("div");
  mark.className = "right-mark";
  mark.textContent = "◀ верный";
  row.append(picture.frame, mark);
  holder = document.createElement("div");
  holder.className = "preview-holder";
  holder.append(row);
  container.append(holder);
  buildProbes();
  fitPreview();
}

// The window at its own size where the column has room, else smaller, whole and in proportion.
export function fitPreview() {
  const row = holder.firstChild;
  row.style.transform = "";
  const natural = row.offsetWidth;
  const room = holder.clientWidth;
  const scale = natural > room && room > 0 ? room / natural : 1;
  row.style.transform = scale < 1 ? `scale(${scale})` : "";
  holder.style.height = `${row.offsetHeight * scale}px`;
}

function setCaption(name, text) {
  const element = picture.byName[name];
  const target = element.classList.contains("option") ? element.querySelector("span") : element;
  target.textContent = text;
}

function placeMark(right) {
  if (right < 1 || right > OPTION_NAMES.length) {
    mark.hidden = true;
    return;
  }
  const option = picture.byName[OPTION_NAMES[right - 1]];
  const row = holder.firstChild;
  // Measured unscaled: the mark moves with the window it stands beside.
  let top = 0;
  for (let element = option; element !== row; element = element.offsetParent) {
    top += element.offsetTop;
  }
  mark.hidden = false;
  mark.style.top = `${top + option.offsetHeight / 2 - mark.offsetHeight / 2}px`;
}

// Shows question number `number` (from 0): texts[0] the question, texts[1..5] its options.
// Only what changed is written, so a keystroke costs one caption.
export function showQuestion(texts, right, number) {
  if (shown.number !== number) {
    setCaption("LblC", `0/${number}`);
    setCaption("LblT", "1:00");
    picture.byName.Ans1.querySelector("input").checked = true;
    shown.number = number;
  }
  if (shown.question !== texts[0]) {
    setCaption("LblQ", texts[0]);
    shown.question = texts[0];
  }
  for (let k = 0; k < OPTION_NAMES.length; ++k) {
    if (shown.options[k] !== texts[k + 1]) {
      setCaption(OPTION_NAMES[k], texts[k + 1]);
      shown.options[k] = texts[k + 1];
    }
  }
  if (shown.right !== right) {
    placeMark(right);
    shown.right = right;
  }
}

export function showNothing() {
  showQuestion(["", "", "", "", "", ""], 0, 0);
}

// Widths of words in a font, as the canvas measures them: a bank repeats its words, and the
// whole-bank check measures every text, so a word is measured once.
function wordWidths(font) {
  const pen = document.createElement("canvas").getContext("2d");
  pen.font = font;
  const known = new Map();
  return (word) => {
    let width = known.get(word);
    if (width === undefined) {
      if (known.size > 100000) {
        known.clear();
      }
      width = pen.measureText(word).width;
      known.set(word, width);
    }
    return width;
  };
}

let questionWidth = null;
let optionWidth = null;

// Lines a question takes wrapped at blanks, by the canvas; Infinity where a word is wider than
// the label, which the page breaks where the browser alone knows.
function estimateLines(text, room) {
  const space = questionWidth(" ");
  let lines = 1;
  let x = -space;
  for (const word of text.split(" ")) {
    const width = questionWidth(word);
    if (width > room) {
      return Infinity;
    }
    if (x + space + width <= room) {
      x += space + width;
    } else {
      lines += 1;
      x = width;
    }
  }
  return lines;
}

// The measure the checks take: lines a question takes in LblQ, wrapped as the page wraps it, and
// lines it shows; an option's width in pixels and its caption's room. The page breaks a word
// wider than the label rather than cut it, so no word is ever too wide here. The canvas answers
// where a text plainly fits (a pixel or a line to spare); the hidden copies, laid out as the
// window lays its controls, answer the rest, so a flag and the number it gives are the page's.
export const measure = {
  question(text) {
    if (text === "" || questionProbe === null) {
      return { taken: 0, shown: 0, wordTooWide: false };
    }
    questionWidth ??= wordWidths(questionProbe.style.font);
    const estimate = estimateLines(text, parseFloat(questionProbe.style.width));
    if (estimate < shownLines) {
      return { taken: estimate, shown: shownLines, wordTooWide: false };
    }
    questionProbe.textContent = text;
    const taken = Math.round(questionProbe.getBoundingClientRect().height / lineHeight);
    return { taken, shown: shownLines, wordTooWide: false };
  },
  option(text) {
    if (text === "" || optionProbe === null) {
      return { taken: 0, shown: optionRoom, wordTooWide: false };
    }
    optionWidth ??= wordWidths(optionProbe.style.font);
    const estimate = optionWidth(text);
    if (estimate <= optionRoom - 1) {
      return { taken: Math.ceil(estimate), shown: optionRoom, wordTooWide: false };
    }
    optionProbe.textContent = text;
    const taken = Math.ceil(optionProbe.getBoundingClientRect().width - 1e-3);
    return { taken, shown: optionRoom, wordTooWide: false };
  },
};
