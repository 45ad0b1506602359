// SPDX-License-Identifier: MIT
// The page's front-end: builds Main and the About box from the designs the module hands over,
// shows the message boxes, keeps the timer, plays the sounds and fetches the bank. Every event
// of the quiz goes to the module in one call; while a call waits on a box, the page takes no
// other event of the quiz, and a tick that falls due then is dropped, as on the desktop.
"use strict";

const TWIPS_PER_PIXEL = 15;
const FALLBACK_FACES = '"Liberation Sans", Arial, Helvetica, sans-serif';
const ANSWER_YES = 6;
const ANSWER_NO = 7;
const ANSWER_OK = 1;

function px(twips) {
  return `${twips / TWIPS_PER_PIXEL}px`;
}

function fontOf(font) {
  return `${font.weight} ${font.points}pt "${font.face}", ${FALLBACK_FACES}`;
}

// "&System Info..." gives its text with S underlined and S as its access key.
function putAccessKeyText(element, text) {
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
function keepFocusOnClick(box) {
  box.addEventListener("mousedown", (event) => {
    if (!event.target.closest("input, label, button:not(.close), [tabindex='0']")) {
      event.preventDefault();
    }
  });
}

const Vornikat = {
  module: null,
  designs: {},
  controls: {},
  busy: false,
  timer: 0,
  audio: null,
  playing: null,
  soundCount: 0,
  decoded: new Map(),
  bankFile: null,
  bankReader: null,
  bankChunk: null,
  iconUrl: "",

  text(pointer, length) {
    const units = this.module.HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
    let text = "";
    for (let i = 0; i < units.length; i += 4096) {
      text += String.fromCharCode.apply(null, units.subarray(i, i + 4096));
    }
    return text;
  },

  boot(module) {
    this.module = module;
    this.designs.main = JSON.parse(module.ccall("vk_design", "string", ["number"], [0]));
    this.designs.help = JSON.parse(module.ccall("vk_design", "string", ["number"], [1]));
    const sizeCell = module._malloc(4);
    const icon = module.ccall("vk_icon", "number", ["number"], [sizeCell]);
    const size = module.HEAP32[sizeCell >> 2];
    module._free(sizeCell);
    this.iconUrl = URL.createObjectURL(
      new Blob([module.HEAPU8.slice(icon, icon + size)], { type: "image/x-icon" }));
    document.getElementById("favicon").href = this.iconUrl;
    document.getElementById("again").addEventListener("click", () => this.startGame());
    this.acceptDroppedBanks();
    this.fitToScreen();
    window.addEventListener("resize", () => this.fitToScreen());
    this.startGame();
  },

  // A screen narrower than the window (a phone upright) gets the windows smaller, whole.
  fitToScreen() {
    const needed = this.designs.main.clientWidth / TWIPS_PER_PIXEL + 16;
    const scale = Math.min(1, window.innerWidth / needed);
    document.getElementById("desk").style.zoom = scale < 1 ? String(scale) : "";
  },

  // One event of the quiz, run to its end (boxes included) before the next one is taken.
  async call(name) {
    if (this.busy) {
      return 0;
    }
    this.busy = true;
    try {
      return await this.module.ccall(name, "number", [], [], { async: true });
    } finally {
      this.busy = false;
    }
  },

  async startGame() {
    if (this.busy) {
      return;
    }
    document.getElementById("closed").hidden = true;
    this.closeHelp();
    this.buildMain();
    if (await this.call("vk_start")) {
      this.windows.main.hidden = false;
      this.focus("Ans1");
    }
  },

  // The windows -----------------------------------------------------------------------------

  windows: {},

  buildWindow(design, id, onClose) {
    const frame = document.createElement("section");
    frame.className = "window";
    frame.id = id;
    frame.setAttribute("aria-label", design.caption);
    const title = document.createElement("div");
    title.className = "titlebar";
    const icon = document.createElement("img");
    icon.src = this.iconUrl;
    icon.alt = "";
    const caption = document.createElement("span");
    caption.textContent = design.caption;
    const close = document.createElement("button");
    close.className = "close";
    close.tabIndex = -1;
    close.setAttribute("aria-label", "Закрыть");
    close.title = "Закрыть";
    close.textContent = "×";
    close.addEventListener("click", onClose);
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
      const element = this.buildControl(control, accessKeys);
      if (element === null) {
        continue;
      }
      const key = control.arrayIndex >= 0 ? `${control.name}(${control.arrayIndex})` : control.name;
      byName[key] = element;
      const parent = control.parent ? byName[control.parent] : client;
      parent.append(element);
    }
    keepFocusOnClick(frame);
    frame.addEventListener("keydown", (event) => {
      if (event.altKey && !event.ctrlKey && accessKeys[event.key.toLowerCase()]) {
        event.preventDefault();
        accessKeys[event.key.toLowerCase()].click();
      } else if (event.key === "Tab" && !event.altKey && !event.ctrlKey) {
        this.wrapFocus(client, event);
      }
    });
    return { frame, byName };
  },

  // Tab goes round the window's controls, as in a window of the desktop, never off the window.
  wrapFocus(client, event) {
    const radios = [...client.querySelectorAll("input[type=radio]")];
    const stops = [...client.querySelectorAll("input, button, [tabindex='0']")].filter(
      (e) => e.type !== "radio" || e.checked || (e === radios[0] && !radios.some((r) => r.checked)));
    const at = stops.indexOf(document.activeElement);
    const wrapTo = event.shiftKey ? (at === 0 ? stops.length - 1 : -1) : at === stops.length - 1 ? 0 : -1;
    if (at >= 0 && wrapTo >= 0) {
      event.preventDefault();
      stops[wrapTo].focus();
    }
  },

  buildControl(control, accessKeys) {
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
        element.src = this.iconUrl;
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
  },

  buildMain() {
    if (this.windows.main) {
      this.windows.main.remove();
    }
    const { frame, byName } = this.buildWindow(this.designs.main, "Main", () => this.call("vk_close"));
    frame.hidden = true;
    this.controls = byName;
    // The question is announced as it changes; the counter and the countdown are named.
    byName.LblQ.setAttribute("aria-live", "polite");
    byName.LblC.setAttribute("role", "status");
    byName.LblC.setAttribute("aria-live", "off");
    byName.LblC.setAttribute("aria-label", byName.LblC.title);
    byName.LblT.setAttribute("role", "timer");
    byName.LblT.setAttribute("aria-label", byName.LblT.title);
    byName.Nxt.addEventListener("click", () => this.call("vk_next"));
    byName.Exit.addEventListener("click", () => this.call("vk_exit"));
    byName.HelpMe.addEventListener("click", () => this.showHelp());
    document.getElementById("desk").append(frame);
    this.windows.main = frame;
  },

  showHelp() {
    if (this.windows.help) {
      this.windows.help.classList.add("front");
      this.windows.main.classList.remove("front");
      this.windows.help.querySelector('[data-control="cmdOK"]').focus();
      return;
    }
    const { frame, byName } = this.buildWindow(this.designs.help, "frmHelp", () => this.closeHelp());
    frame.classList.add("front", "help");
    frame.setAttribute("role", "dialog");
    byName.cmdOK.addEventListener("click", () => this.closeHelp());
    byName.cmdSysInfo.addEventListener("click", () => this.call("vk_sysinfo"));
    // OK is the box's default and cancel button: Enter (off a button) and Esc press it.
    frame.addEventListener("keydown", (event) => {
      if (event.key === "Escape" || (event.key === "Enter" && event.target.tagName !== "BUTTON")) {
        event.preventDefault();
        byName.cmdOK.click();
      }
    });
    frame.addEventListener("mousedown", () => {
      frame.classList.add("front");
      this.windows.main.classList.remove("front");
    });
    this.windows.main.addEventListener("mousedown", () => {
      frame.classList.remove("front");
      this.windows.main.classList.add("front");
    });
    document.getElementById("desk").append(frame);
    this.windows.help = frame;
    byName.cmdOK.focus();
  },

  // Main takes the focus back where the box had it, as a window of the desktop does: else it
  // would fall off every control, and Tab and Space would do nothing.
  closeHelp() {
    if (this.windows.help) {
      const hadFocus = this.windows.help.contains(document.activeElement);
      this.windows.help.remove();
      this.windows.help = null;
      if (hadFocus && this.windows.main && !this.windows.main.hidden) {
        this.controls.HelpMe.focus();
      }
    }
  },

  // The ports of Main --------------------------------------------------------------------------

  setCaption(name, text) {
    const element = this.controls[name];
    if (element.classList.contains("option")) {
      element.querySelector("span").textContent = text;
    } else {
      element.textContent = text;
    }
  },

  getValue(name) {
    return this.controls[name].querySelector("input").checked ? -1 : 0;
  },

  setValue(name, value) {
    this.controls[name].querySelector("input").checked = value !== 0;
  },

  focus(name) {
    const element = this.controls[name];
    (element.querySelector("input") || element).focus();
  },

  setTimer(milliseconds) {
    clearInterval(this.timer);
    this.timer = 0;
    if (milliseconds > 0) {
      this.timer = setInterval(() => this.call("vk_tick"), milliseconds);
    }
  },

  end(status) {
    this.setTimer(0);
    this.closeHelp();
    if (this.windows.main) {
      this.windows.main.hidden = true;
    }
    const closed = document.getElementById("closed");
    closed.dataset.status = String(status);
    closed.hidden = false;
    document.getElementById("again").focus();
  },

  // Message boxes ---------------------------------------------------------------------------

  showMessage(text, flags) {
    const yesNo = (flags & 0x0f) === 4;
    const icon = { 16: "critical", 32: "question", 64: "information" }[flags & 0x70];
    const box = document.createElement("dialog");
    box.className = "window msgbox";
    const title = document.createElement("div");
    title.className = "titlebar";
    title.id = "msgbox-title";
    title.textContent = this.designs.main.caption;
    const body = document.createElement("div");
    body.className = "msgbody";
    if (icon) {
      const mark = document.createElement("span");
      mark.className = `icon ${icon}`;
      mark.setAttribute("aria-hidden", "true");
      mark.textContent = { critical: "×", question: "?", information: "i" }[icon];
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
    const choices = yesNo ? [["&Да", ANSWER_YES], ["&Нет", ANSWER_NO]] : [["OK", ANSWER_OK]];
    return new Promise((resolve) => {
      const answer = (value) => {
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
        button.addEventListener("click", () => {
          this.unlockAudio();
          answer(value);
        });
        buttons.append(button);
      }
      // A button's letter answers, with Alt or without, as in the desktop's boxes.
      box.addEventListener("keydown", (event) => {
        const button = accessKeys[event.key.toLowerCase()];
        if (button && !event.ctrlKey && !event.metaKey) {
          event.preventDefault();
          button.click();
        } else if (event.key === "Tab" && !event.altKey && !event.ctrlKey) {
          this.wrapFocus(buttons, event);
        }
      });
      // Esc answers No, or OK where OK is the only button.
      box.addEventListener("cancel", (event) => {
        event.preventDefault();
        answer(yesNo ? ANSWER_NO : ANSWER_OK);
      });
      keepFocusOnClick(box);
      document.body.append(box);
      box.showModal();
      buttons.firstChild.focus();
    });
  },

  // Sounds ------------------------------------------------------------------------------------

  // A browser lets a page play only after the player's first click: the greeting's.
  unlockAudio() {
    if (this.audio === null && window.AudioContext) {
      this.audio = new AudioContext();
    }
    if (this.audio && this.audio.state === "suspended") {
      this.audio.resume();
    }
  },

  // A new sound cuts off the one playing; a sound that cannot play is skipped in silence.
  async playWave(image) {
    if (this.audio === null) {
      return;
    }
    const number = ++this.soundCount;
    if (this.playing) {
      this.playing.stop();
      this.playing = null;
    }
    const key = `${image.length}:${image.slice(40, 72).join(",")}`;
    try {
      if (!this.decoded.has(key)) {
        this.decoded.set(key, await this.audio.decodeAudioData(image.buffer));
      }
    } catch (error) {
      return;
    }
    if (number !== this.soundCount) {
      return;
    }
    const source = this.audio.createBufferSource();
    source.buffer = this.decoded.get(key);
    source.connect(this.audio.destination);
    source.start();
    this.playing = source;
  },

  // The bank ----------------------------------------------------------------------------------

  bankUrl() {
    // Blank, as an empty one, names the bank beside the page, not the page itself.
    const named = new URLSearchParams(window.location.search).get("bank") || "";
    return named.trim() || "data.bin";
  },

  // The reader takes the bank piece by piece and stops where its questions end: the rest of a
  // huge file is never fetched.
  async openBank() {
    this.closeBank();
    try {
      let stream = null;
      if (this.bankFile !== null) {
        stream = this.bankFile.stream();
      } else {
        const response = await fetch(this.bankUrl(), { cache: "no-cache" });
        stream = response.ok ? response.body : null;
      }
      if (stream === null) {
        return 0;
      }
      this.bankReader = stream.getReader();
      this.bankChunk = new Uint8Array(0);
      return 1;
    } catch (error) {
      return 0;
    }
  },

  // Up to size bytes of the bank; none at its end or when the rest cannot be had.
  async readBank(size) {
    try {
      while (this.bankChunk.length === 0) {
        const { done, value } = await this.bankReader.read();
        if (done) {
          return this.bankChunk;
        }
        this.bankChunk = value;
      }
    } catch (error) {
      return new Uint8Array(0);
    }
    const part = this.bankChunk.subarray(0, size);
    this.bankChunk = this.bankChunk.subarray(part.length);
    return part;
  },

  closeBank() {
    if (this.bankReader !== null) {
      this.bankReader.cancel().catch(() => {});
      this.bankReader = null;
    }
  },

  reportUnreadable() {
    const name = this.bankFile !== null ? "the dropped file" : this.bankUrl();
    console.info(`Vornikat: the question bank ${name} cannot be read.`);
  },

  // A bank file dropped on the page starts a new game with it.
  acceptDroppedBanks() {
    document.addEventListener("dragover", (event) => event.preventDefault());
    document.addEventListener("drop", (event) => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (!file || this.busy) {
        return;
      }
      this.bankFile = file;
      this.setTimer(0);
      this.startGame();
    });
  },
};

var Module = {
  onRuntimeInitialized() {
    Vornikat.boot(Module);
  },
};
