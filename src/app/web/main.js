// SPDX-License-Identifier: MIT
// The page's front-end: loads the module with the page's functions, and starts a game, again
// with «Играть снова» or a dropped bank. Every event of the quiz goes to the module in one call;
// while a call waits on a box, the page takes no other event of the quiz, and a tick that falls
// due then is dropped, as on the desktop.
import * as bank from "./bank.js";
import * as boundary from "./boundary.js";
import * as boxes from "./boxes.js";
import * as clock from "./clock.js";
import * as sounds from "./sounds.js";
import * as store from "./store.js";
import * as windows from "./windows.js";

const designs = {};

function end(status) {
  clock.setTimer(0);
  windows.closeHelp();
  windows.hideMain();
  const closed = document.getElementById("closed");
  closed.dataset.status = String(status);
  closed.hidden = false;
  document.getElementById("again").focus();
}

function openHelp() {
  windows.openHelp(designs.help, { sysInfo: boundary.pressSysInfo });
}

async function startGame() {
  if (boundary.isBusy()) {
    return;
  }
  document.getElementById("closed").hidden = true;
  windows.closeHelp();
  windows.buildMain(designs.main, {
    close: boundary.requestClose,
    next: boundary.pressNext,
    exit: boundary.pressExit,
    help: openHelp,
  });
  if (await boundary.startGame()) {
    windows.showMain();
    windows.focus("Ans1");
  }
}

const page = {
  setCaption: windows.setCaption,
  getValue: windows.getValue,
  setValue: windows.setValue,
  focus: windows.focus,
  setTimer: (milliseconds) => clock.setTimer(milliseconds, boundary.tick),
  playWave: sounds.playWave,
  end,
  showMessage: (text, flags) => boxes.showMessage(text, flags, designs.main.caption),
  openBank: bank.openBank,
  readBank: bank.readBank,
  closeBank: bank.closeBank,
  reportUnreadable: bank.reportUnreadable,
  readScore: store.readScore,
  writeScore: store.writeScore,
  sayStorageRefused: store.sayStorageRefused,
};

async function boot() {
  await boundary.connect(page);
  designs.main = boundary.readDesign(false);
  designs.help = boundary.readDesign(true);
  const iconUrl = URL.createObjectURL(new Blob([boundary.readIcon()], { type: "image/x-icon" }));
  windows.setIcon(iconUrl);
  document.getElementById("favicon").href = iconUrl;
  document.getElementById("again").addEventListener("click", startGame);
  bank.acceptDroppedBanks(boundary.isBusy, () => {
    clock.setTimer(0);
    startGame();
  });
  windows.fitToScreen(designs.main);
  window.addEventListener("resize", () => {
    windows.fitToScreen(designs.main);
    windows.keepWindowsInView();
  });
  startGame();
}

boot();
