// SPDX-License-Identifier: MIT
// The page's front-end: loads the module with the page's functions, and starts a game, again
// with «Играть снова» or a dropped bank. Every event of the quiz goes to the module in one call;
// while a call waits on a box, the page takes no other event of the quiz, and a tick that falls
// due then is dropped, as on the desktop.
import * as bank from "./bank.js";
import * as boundary from "./boundary.js";
import * as boxes from "./boxes.js";
import * as clock from "./clock.js";
import * as loading from "./loading.js";
import * as sounds from "./sounds.js";
import * as store from "./store.js";
import * as windows from "./windows.js";

const ASK_YES_NO = 4 | 32;
const ANSWER_YES = 6;
const designs = {};
// A game goes on between its start-up and its end: a bank the player brings then asks first.
let playing = false;

function end(status) {
  playing = false;
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

// A game going on ends only when the player says so.
async function confirmNewBank(name) {
  if (!playing) {
    return true;
  }
  const text = `Начать новую игру с банком «${name}»?\rТекущая игра будет прервана.`;
  return (await boxes.showMessage(text, ASK_YES_NO, designs.main.caption)) === ANSWER_YES;
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
  playing = false;
  if (await boundary.startGame()) {
    playing = true;
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
  loading.sayPageLoading(true);
  try {
    await boundary.connect(page);
  } catch (error) {
    window.sayPageCannotStart("missing");
    return;
  }
  loading.sayPageLoading(false);
  designs.main = boundary.readDesign(false);
  designs.help = boundary.readDesign(true);
  // The program's icon is a file of the page, so that the page needs no blob: images.
  windows.setIcon(new URL("vornikat.ico", import.meta.url).href);
  document.getElementById("again").addEventListener("click", startGame);
  bank.acceptPlayersBanks(boundary.isBusy, confirmNewBank, () => {
    clock.setTimer(0);
    startGame();
  });
  window.addEventListener("resize", () => windows.keepWindowsInView());
  startGame();
}

boot();
