// SPDX-License-Identifier: MIT
// A text the module hands over as UTF-16 code units in its memory, as the script's string. It
// is joined in pieces: one call with every unit as an argument would overflow the stack on a
// long text.
export function readUtf16(module, pointer, length) {
  const units = module.HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
  let text = "";
  for (let i = 0; i < units.length; i += 4096) {
    text += String.fromCharCode.apply(null, units.subarray(i, i + 4096));
  }
  return text;
}
