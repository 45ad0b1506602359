// SPDX-License-Identifier: MIT
// Main and the About box, built from the designs the module sends: one CSS pixel for 15 twips,
// the design's fonts with free fallbacks, the DOM in tab order, Tab round the design's focus
// order, Esc and Enter on the design's cancel and default buttons. A window's listeners are
// removed with it.
const TWIPS_PER_PIXEL = 15;
const FALLBACK_FACES = '"Liberation Sans", Arial, Helvetica, sans-serif';

let iconUrl = "";
let main = null;
let help = null;

function px(twips) {
  return `${twips / TWIPS_PER_PIXEL}px`;
}

function fontOf(font) {
  return `${font.weight} ${font.points}pt "${font.face}", ${FALLBACK_FACES}`;
}

function desk() {
  return document.getElementById("desk");
}

export function setIcon(url) {
  iconUrl = url;
}

// "&System Info..." gives its text with S underlined and S as its access key.
export function putAccessKeyText(element, text) {
  const at = text.indexOf("&");
  if (at < 0 || at + 1 >= text.length) {
    element.textContent = text;
    return null;
  }
  const key = document.createElement("u");
  key.textContent = text[at + 1];
  element.append(text.slice(0, at), key, text.slice(at + 2));
  return text[at + 1].toLowerCase();
}

// A click on a window's title, frame or label leaves the focus where it was, as on the desktop,
// instead of on no control at all.
export function keepFocusOnClick(box, signal) {
  box.addEventListener(
    "mousedown",
    (event) => {
      if (!event.target.closest("input, label, button:not(.close), [tabindex='0']")) {
        event.preventDefault();
      }
    },
    { signal });
}

// Tab goes round the stops, as in a window of the desktop, never off the window.
export function wrapFocus(stops, event) {
  const at = stops.indexOf(document.activeElement);
  const last = stops.length - 1;
  const wrapTo = event.shiftKey ? (at === 0 ? last : -1) : at === last ? 0 : -1;
  if (at >= 0 && wrapTo >= 0) {
    event.preventDefault();
    stops[wrapTo].focus();
  }
}

function focusTarget(element) {
  return element.querySelector("input") || element;
}

// The design's focus order; of the answers only the chosen one is a stop (the first while
// none is), as Tab takes a group of option buttons.
function tabStops(design, byName) {
  const targets = design.focusOrder.map((name) => focusTarget(byName[name]));
  const radios = targets.filter((target) => target.type === "radio");
  const chosen = radios.find((radio) => radio.checked) || radios[0];
  return targets.filter((target) => target.type !== "radio" || target === chosen);
}

function buildControl(control, accessKeys) {
  let element;
  switch (control.kind) {
    case "timer":
      return null;
    case "line": {
      element = document.createElement("div");
      element.className = "line";
      element.style.left = `${control.band.left}px`;
      element.style.top = `${control.band.top}px`;
      element.style.width = `${control.band.width}px`;
      element.style.height = `${control.band.height}px`;
      element.style.background = control.band.color;
      element.setAttribute("aria-hidden", "true");
      return element;
    }
    case "frame": {
      element = document.createElement("div");
      element.className = "frame";
      element.setAttribute("role", "group");
      const legend = document.createElement("span");
      legend.className = "legend";
      legend.id = `${control.name}-legend`;
      legend.textContent = control.text;
      element.setAttribute("aria-labelledby", legend.id);
      element.append(legend);
      break;
    }
    case "button": {
      element = document.createElement("button");
      element.type = "button";
      element.className = control.isDefault ? "command default" : "command";
      const key = putAccessKeyText(element, control.text);
      if (key) {
        accessKeys[key] = element;
      }
      break;
    }
    case "option": {
      element = document.createElement("label");
      element.className = "option";
      const input = document.createElement("input");
      input.type = "radio";
      input.name = "answers";
      input.id = control.name;
      input.checked = control.startsSelected;
      const caption = document.createElement("span");
      caption.textContent = control.text;
      element.append(input, caption);
      break;
    }
    case "picture": {
      element = document.createElement("img");
      element.className = "picture";
      element.src = iconUrl;
      element.alt = "Ворникат";
      element.tabIndex = 0;
      break;
    }
    default: {
      element = document.createElement("div");
      element.className = "label";
      element.textContent = control.text;
    }
  }
  element.dataset.control = control.name;
  element.style.left = px(control.left);
  element.style.top = px(control.top);
  element.style.width = px(control.width);
  element.style.height = px(control.height);
  // On a phone the controls flow down the window in the design's order: top to bottom, then
  // left to right.
  element.style.order = String(Math.round(control.top / TWIPS_PER_PIXEL) * 1000 +
    Math.round(control.left / TWIPS_PER_PIXEL));
  if (control.font) {
    element.style.font = fontOf(control.font);
  }
  if (control.center) {
    element.style.textAlign = "center";
  }
  if (control.color) {
    element.style.color = control.color;
  }
  if (control.toolTip) {
    element.title = control.toolTip;
  }
  if (control.accessibleName) {
    element.setAttribute("aria-label", control.accessibleName);
  }
  return element;
}

// The window on top takes the clicks and keys where windows overlap.
function raise(frame) {
  for (const window of desk().querySelectorAll(".window")) {
    window.classList.toggle("front", window === frame);
  }
}

// The desk's zoom: a window's offset is in the desk's pixels, the viewport's are larger by it.
function deskZoom() {
  return Number(desk().style.zoom) || 1;
}

// Moves a window by (dx, dy) viewport pixels, then back within the viewport as far as it fits,
// its title bar first.
function moveWindow(win, dx, dy) {
  const zoom = deskZoom();
  const at = (x, y) => {
    win.offset = { x, y };
    win.frame.style.translate = `${x}px ${y}px`;
  };
  at(win.offset.x + dx / zoom, win.offset.y + dy / zoom);
  const edge = win.frame.getBoundingClientRect();
  const inside = (low, high, limit) => Math.max(-low, Math.min(0, limit - high));
  at(win.offset.x + inside(edge.left, edge.right, innerWidth) / zoom,
     win.offset.y + inside(edge.top, edge.bottom, innerHeight) / zoom);
}

// A window follows its title bar under a mouse or a finger; the close button stays a button.
function moveByTitleBar(win, title, signal) {
  title.addEventListener(
    "pointerdown",
    (event) => {
      if (event.button !== 0 || event.target.closest(".close")) {
        return;
      }
      title.setPointerCapture(event.pointerId);
      let last = { x: event.clientX, y: event.clientY };
      const drag = new AbortController();
      const follow = (move) => {
        moveWindow(win, move.clientX - last.x, move.clientY - last.y);
        last = { x: move.clientX, y: move.clientY };
      };
      title.addEventListener("pointermove", follow, { signal: drag.signal });
      for (const end of ["pointerup", "pointercancel", "lostpointercapture"]) {
        title.addEventListener(end, () => drag.abort(), { signal: drag.signal });
      }
      signal.addEventListener("abort", () => drag.abort(), { signal: drag.signal });
    },
    { signal });
}

function readingKey({ control, built }) {
  if (control.kind === "label") {
    return [1, control.top, control.left, built];
  }
  return [0, control.tabIndex < 0 ? 1e6 : control.tabIndex, 0, built];
}

function buildWindow(design, id, onClose) {
  const listeners = new AbortController();
  const { signal } = listeners;
  const frame = document.createElement("section");
  frame.className = "window";
  frame.id = id;
  frame.setAttribute("aria-label", design.caption);
  const title = document.createElement("div");
  title.className = "titlebar";
  const icon = document.createElement("img");
  icon.src = iconUrl;
  icon.alt = "";
  const caption = document.createElement("span");
  caption.textContent = design.caption;
  const close = document.createElement("button");
  close.className = "close";
  close.tabIndex = -1;
  close.setAttribute("aria-label", "Закрыть");
  close.title = "Закрыть";
  close.textContent = "×";
  close.addEventListener("click", onClose, { signal });
  title.append(icon, caption, close);
  const client = document.createElement("div");
  client.className = "client";
  client.style.width = px(design.clientWidth);
  client.style.height = px(design.clientHeight);
  client.style.font = fontOf(design.defaultFont);
  frame.append(title, client);

  const byName = {};
  const accessKeys = {};
  // In tab order, so that the page's own order of focus is the design's; labels, which take no
  // focus, after the rest in reading order (top down, then left to right), as they are read.
  const ordered = design.controls
    .map((control, built) => ({ control, built }))
    .sort((a, b) => readingKey(a).reduce((order, key, i) => order || key - readingKey(b)[i], 0))
    .map((entry) => entry.control);
  for (const control of ordered) {
    const element = buildControl(control, accessKeys);
    if (element === null) {
      continue;
    }
    const key = control.arrayIndex >= 0 ? `${control.name}(${control.arrayIndex})` : control.name;
    byName[key] = element;
    if (control.kind === "label") {
      element.id = `${id}-${key}`;
    }
    const parent = control.parent ? byName[control.parent] : client;
    parent.append(element);
  }
  const cancel = design.controls.find((control) => control.isCancel);
  const byDefault = design.controls.find((control) => control.isDefault);
  keepFocusOnClick(frame, signal);
  frame.addEventListener(
    "keydown",
    (event) => {
      if (event.altKey && !event.ctrlKey && accessKeys[event.key.toLowerCase()]) {
        event.preventDefault();
        accessKeys[event.key.toLowerCase()].click();
      } else if (event.key === "Tab" && !event.altKey && !event.ctrlKey) {
        wrapFocus(tabStops(design, byName), event);
      } else if (event.key === "Escape" && cancel) {
        event.preventDefault();
        byName[cancel.name].click();
      } else if (event.key === "Enter" && byDefault && event.target.tagName !== "BUTTON") {
        // A focused button takes Enter itself.
        event.preventDefault();
        byName[byDefault.name].click();
      }
    },
    { signal });
  // A click anywhere on a window, or a control of it taking the focus (the quiz's own moves of
  // the focus too), brings it to the front.
  frame.addEventListener("pointerdown", () => raise(frame), { signal });
  frame.addEventListener("focusin", () => raise(frame), { signal });
  const win = {
    frame,
    byName,
    offset: { x: 0, y: 0 },
    firstStop: () => tabStops(design, byName)[0],
    listen(name, handler) {
      byName[name].addEventListener("click", handler, { signal });
    },
    stopListening() {
      listeners.abort();
    },
    remove() {
      listeners.abort();
      frame.remove();
    },
  };
  moveByTitleBar(win, title, signal);
  return win;
}

// A picture of a window: built as the quiz builds it, at its designed size, taking no keys, clicks
// or focus; for the editor's preview of a question.
export function buildPicture(design, id) {
  const win = buildWindow(design, id, () => {});
  win.stopListening();
  win.frame.inert = true;
  return { frame: win.frame, byName: win.byName };
}

// Every window back within a viewport that has shrunk.
export function keepWindowsInView() {
  for (const win of [main, help]) {
    if (win !== null && !win.frame.hidden) {
      moveWindow(win, 0, 0);
    }
  }
}

// The About box beside Main, right or left, where the viewport has room; over it where not.
function placeBesideMain(box) {
  if (main === null || main.frame.hidden) {
    return;
  }
  const gap = 8;
  let beside = main.frame.getBoundingClientRect();
  const own = box.frame.getBoundingClientRect();
  const room = innerWidth - beside.width - gap - own.width;
  if (room >= 0 && beside.right + gap + own.width > innerWidth && beside.left < gap + own.width) {
    // The viewport has room for both, though not on either side of Main where it stands.
    moveWindow(main, room / 2 - beside.left, 0);
    beside = main.frame.getBoundingClientRect();
  }
  let dx = 0;
  if (beside.right + gap + own.width <= innerWidth) {
    dx = beside.right + gap - own.left;
  } else if (beside.left - gap - own.width >= 0) {
    dx = beside.left - gap - own.width - own.left;
  }
  moveWindow(box, dx, beside.top - own.top);
}

// Main, hidden until the game's start-up has passed; on: its buttons' handlers.
export function buildMain(design, on) {
  if (main) {
    main.remove();
  }
  main = buildWindow(design, "Main", on.close);
  main.frame.hidden = true;
  const { byName } = main;
  // The question is announced as it changes; the counter and the countdown are named by their
  // tool tips, which then are not said again as their descriptions.
  byName.LblQ.setAttribute("aria-live", "polite");
  byName.LblC.setAttribute("role", "status");
  byName.LblC.setAttribute("aria-live", "off");
  byName.LblT.setAttribute("role", "timer");
  main.listen("Nxt", on.next);
  main.listen("Exit", on.exit);
  main.listen("HelpMe", on.help);
  desk().append(main.frame);
}

export function showMain() {
  main.frame.hidden = false;
}

export function hideMain() {
  if (main) {
    main.frame.hidden = true;
  }
}

// The About box, or the one open brought to the front; on: its System Info handler.
export function openHelp(design, on) {
  if (help === null) {
    help = buildWindow(design, "frmHelp", closeHelp);
    help.frame.classList.add("help");
    help.frame.setAttribute("role", "dialog");
    // Said as the box opens: its labels as they are read, the title and the version first.
    const labels = [...help.frame.querySelectorAll(".label")];
    help.frame.setAttribute("aria-describedby", labels.map((label) => label.id).join(" "));
    help.listen("cmdOK", closeHelp);
    help.listen("cmdSysInfo", on.sysInfo);
    desk().append(help.frame);
    placeBesideMain(help);
  }
  raise(help.frame);
  help.firstStop().focus();
}

// Main takes the focus back where the box had it, as a window of the desktop does: else it
// would fall off every control, and Tab and Space would do nothing.
export function closeHelp() {
  if (help === null) {
    return;
  }
  const hadFocus = help.frame.contains(document.activeElement);
  help.remove();
  help = null;
  if (hadFocus && main && !main.frame.hidden) {
    main.byName.HelpMe.focus();
  }
}

// The ports of Main ---------------------------------------------------------------------------

export function setCaption(name, text) {
  const element = main.byName[name];
  if (element.classList.contains("option")) {
    element.querySelector("span").textContent = text;
  } else {
    element.textContent = text;
  }
  // Where the window is taller than the screen (a phone on its side, a large zoom), each new
  // question is brought into sight rather than left above it.
  if (name === "LblQ") {
    element.scrollIntoView({ block: "nearest" });
  }
}

export function getValue(name) {
  return main.byName[name].querySelector("input").checked ? -1 : 0;
}

export function setValue(name, value) {
  main.byName[name].querySelector("input").checked = value !== 0;
}

export function focus(name) {
  focusTarget(main.byName[name]).focus();
}
