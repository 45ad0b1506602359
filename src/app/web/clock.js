// SPDX-License-Identifier: MIT
// The quiz's timer: one tick each interval the module sets, none at 0.
let timer = 0;

export function setTimer(milliseconds, onTick) {
  clearInterval(timer);
  timer = 0;
  if (milliseconds > 0) {
    timer = setInterval(onTick, milliseconds);
  }
}
