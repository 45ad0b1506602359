// SPDX-License-Identifier: MIT
// The two sounds, through Web Audio. A browser lets a page play only after the player's first
// click: the greeting's, which unlocks the sound.
let audio = null;
let playing = null;
let started = 0;
const decoded = new Map();

export function unlockAudio() {
  if (audio === null && window.AudioContext) {
    audio = new AudioContext();
  }
  if (audio && audio.state === "suspended") {
    audio.resume();
  }
}

// A new sound cuts off the one playing; a sound that cannot play is skipped in silence.
export async function playWave(image) {
  if (audio === null) {
    return;
  }
  const number = ++started;
  if (playing) {
    playing.stop();
    playing = null;
  }
  const key = `${image.length}:${image.slice(40, 72).join(",")}`;
  try {
    if (!decoded.has(key)) {
      decoded.set(key, await audio.decodeAudioData(image.buffer));
    }
  } catch (error) {
    return;
  }
  if (number !== started) {
    return;
  }
  const source = audio.createBufferSource();
  source.buffer = decoded.get(key);
  source.connect(audio.destination);
  source.start();
  playing = source;
}
