// SPDX-License-Identifier: MIT
// What the page shows while it waits: the line that says the page itself is loading, and the
// panel of a bank on its way, with the bytes read (of how many, where the size is known) and
// «Отмена», which Esc and Enter press too.
let panel = null;
let shownAt = 0;

// A bank that comes at once shows no panel, so a fast start does not flicker.
const PANEL_DELAY_MS = 250;

function sizeOf(bytes) {
  if (bytes < 1024) {
    return `${bytes} байт`;
  }
  const [amount, unit] = bytes < 1 << 20 ? [bytes / 1024, "КБ"] : [bytes / (1 << 20), "МБ"];
  return `${amount.toLocaleString("ru-RU", { maximumFractionDigits: 1 })} ${unit}`;
}

// Not where the page has said why it cannot start.
export function sayPageLoading(loading) {
  document.getElementById("starting").hidden = !loading || !document.getElementById("notice").hidden;
}

export function showBank(name, onCancel) {
  hideBank();
  const box = document.createElement("section");
  box.id = "loading";
  box.className = "window loading";
  box.hidden = true;
  box.setAttribute("role", "status");
  const text = document.createElement("p");
  text.textContent = `Загрузка банка вопросов «${name}»…`;
  const progress = document.createElement("p");
  progress.className = "bytes";
  const cancel = document.createElement("button");
  cancel.type = "button";
  cancel.className = "command";
  cancel.textContent = "Отмена";
  cancel.addEventListener("click", onCancel);
  box.addEventListener("keydown", (event) => {
    if (event.key === "Escape" || event.key === "Enter") {
      event.preventDefault();
      onCancel();
    }
  });
  box.append(text, progress, cancel);
  document.getElementById("desk").append(box);
  panel = box;
  shownAt = window.setTimeout(() => {
    box.hidden = false;
    cancel.focus();
  }, PANEL_DELAY_MS);
}

export function showBytes(read, total) {
  if (panel !== null) {
    panel.querySelector(".bytes").textContent =
      total > 0 ? `${sizeOf(read)} из ${sizeOf(total)}` : sizeOf(read);
  }
}

export function hideBank() {
  window.clearTimeout(shownAt);
  if (panel !== null) {
    panel.remove();
    panel = null;
  }
}
