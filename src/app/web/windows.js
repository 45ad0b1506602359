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
  // In tab order, so that the page's own order of focus is the design's.
  const ordered = design.controls
    .map((control, built) => ({ control, built }))
    .sort((a, b) => {
      const ta = a.control.tabIndex < 0 ? 1e6 : a.control.tabIndex;
      const tb = b.control.tabIndex < 0 ? 1e6 : b.control.tabIndex;
      return ta - tb || a.built - b.built;
    })
    .map((entry) => entry.control);
  for (const control of ordered) {
    const element = buildControl(control, accessKeys);
    if (element === null) {
      continue;
    }
    const key = control.arrayIndex >= 0 ? `${control.name}(${control.arrayIndex})` : control.name;
    byName[key] = element;
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
  frame.addEventListener("mousedown", () => raise(frame), { signal });
  return {
    frame,
    byName,
    firstStop: () => tabStops(design, byName)[0],
    listen(name, handler) {
      byName[name].addEventListener("click", handler, { signal });
    },
    remove() {
      listeners.abort();
      frame.remove();
    },
  };
}

// Main, hidden until the game's start-up has passed; on: its buttons' handlers.
export function buildMain(design, on) {
  if (main) {
    main.remove();
  }
  main = buildWindow(design, "Main", on.close);
  main.frame.hidden = true;
  const { byName } = main;
  // The question is announced as it changes; the counter and the countdown are named.
  byName.LblQ.setAttribute("aria-live", "polite");
  byName.LblC.setAttribute("role", "status");
  byName.LblC.setAttribute("aria-live", "off");
  byName.LblC.setAttribute("aria-label", byName.LblC.title);
  byName.LblT.setAttribute("role", "timer");
  byName.LblT.setAttribute("aria-label", byName.LblT.title);
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
    help.listen("cmdOK", closeHelp);
    help.listen("cmdSysInfo", on.sysInfo);
    desk().append(help.frame);
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
