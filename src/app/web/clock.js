// SPDX-License-Identifier: MIT
// The quiz's timer, on wall time as the desktop's runs on while its window is minimized: a
// browser slows or stops the timers of a hidden tab, so each firing (and the tab's return) runs
// every tick that has fallen due since, one after another, each with its whole effect.
let interval = 0;
let due = 0;
let timer = 0;
let onTick = null;
let catchingUp = false;

async function runDueTicks() {
  if (catchingUp) {
    return;
  }
  catchingUp = true;
  try {
    while (interval > 0 && performance.now() >= due) {
      due += interval;
      const started = performance.now();
      await onTick();
      // Ticks that fell due while this one ran (a box waiting for the player) are dropped, as on
      // the desktop; those that fell due before it are still to run.
      const ended = performance.now();
      while (interval > 0 && due > started && due <= ended) {
        due += interval;
      }
    }
  } finally {
    catchingUp = false;
  }
}

// One tick each interval from now on, none at 0.
export function setTimer(milliseconds, tick) {
  clearInterval(timer);
  timer = 0;
  interval = milliseconds;
  onTick = tick;
  if (milliseconds > 0) {
    due = performance.now() + milliseconds;
    timer = setInterval(runDueTicks, milliseconds);
  }
}

// The page's life long: a tab shown again makes up its ticks at once.
document.addEventListener("visibilitychange", () => {
  if (!document.hidden) {
    runDueTicks();
  }
});
