// SPDX-License-Identifier: MIT
// The editor's files: a bank brought by drop or by the picker, read whole; the bank saved by a
// download as data.bin or as Aiken text; and «Играть», which hands the bank to the quiz page in a
// new tab through the browser's own storage, since the page has no server to put it on and its
// policy lets it fetch no blob: or data: address.
import * as draft from "./editor_draft.js";
import * as editor from "./editor_boundary.js";
import * as kept from "./kept_items.js";

// Far beyond any bank's text (the largest data.bin is about 30 MB); a larger file is refused
// rather than held in memory.
const LARGEST_FILE = 64 << 20;
// Every form the editor opens; a file of another name is still offered under «Все файлы».
const OPENED_FORMS = ".txt,.gift,.xml,.csv,.bin,text/plain,text/csv,application/xml,text/xml";
// The quiz page, told to play the bank the editor kept for it.
const PLAY_URL = "./?bank-from=editor";

// A file dropped anywhere on target. Only a drag that carries files is taken, so that text
// dragged within or into the form's fields moves as usual.
export function acceptDrops(target, onFile) {
  const carriesFiles = (event) => [...event.dataTransfer.types].includes("Files");
  target.addEventListener("dragover", (event) => {
    if (carriesFiles(event)) {
      event.preventDefault();
      event.dataTransfer.dropEffect = "copy";
    }
  });
  target.addEventListener("drop", (event) => {
    if (carriesFiles(event)) {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (file) {
        onFile(file);
      }
    }
  });
}

// The browser's own file picker; null when the author closes it without a file.
export function pickFile() {
  let picker = document.getElementById("editor-file-picker");
  if (picker === null) {
    picker = document.createElement("input");
    picker.type = "file";
    picker.id = "editor-file-picker";
    picker.accept = OPENED_FORMS;
    picker.hidden = true;
    document.body.append(picker);
  }
  return new Promise((resolve) => {
    const listeners = new AbortController();
    const answer = (file) => {
      listeners.abort();
      picker.value = "";
      resolve(file);
    };
    picker.addEventListener("change", () => answer(picker.files[0] || null),
                            { signal: listeners.signal });
    picker.addEventListener("cancel", () => answer(null), { signal: listeners.signal });
    picker.click();
  });
}

export async function readFile(file) {
  if (file.size > LARGEST_FILE) {
    throw new Error(`Файл «${file.name}» не открыт.\nОн больше 64 МБ: банк вопросов не бывает ` +
                    "так велик.");
  }
  try {
    return { bytes: new Uint8Array(await file.arrayBuffer()), name: file.name };
  } catch (error) {
    throw new Error(`Файл «${file.name}» не открыт.\nБраузер не смог его прочитать: файл ` +
                    "удалён, перемещён или недоступен.");
  }
}

function offerDownload(bytes, fileName, type) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = fileName;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  // The download has its bytes once it starts; the address is kept a moment for slow browsers.
  window.setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// The bank's text file keeps its name, any other's stem takes .txt, as the module names them; told
// by the draft's name, which a restored draft keeps too.
function aikenName() {
  const name = draft.draftName();
  if (name === "" || /\.txt$/i.test(name)) {
    return name || "bank.txt";
  }
  return `${name.replace(/\.[^.]*$/, "")}.txt`;
}

// data.bin, refused with the errors' words while the bank has any, as the quiz could not read it.
export function downloadBank() {
  const { bytes, message, name } = editor.bankBytes();
  if (!bytes) {
    return { ok: false, message };
  }
  const file = name || "data.bin";
  offerDownload(bytes, file, "application/octet-stream");
  draft.markSaved();
  return { ok: true, message: "", file };
}

// Aiken text, always: a draft with errors is work to go on with later.
export function downloadAiken() {
  const { bytes, message } = editor.aikenBytes();
  if (!bytes) {
    return { ok: false, message };
  }
  const file = aikenName();
  offerDownload(bytes, file, "text/plain");
  draft.markSaved();
  return { ok: true, message, file };
}

// The quiz page in a new tab, playing this bank as it stands. The bank is written before the tab
// opens, so the page never finds an older one; it is kept, so that a reload of that tab plays it
// again, until the next «Играть».
export async function playBank() {
  const { bytes, message } = editor.bankBytes();
  if (!bytes) {
    // The refusal speaks of saving in its first line; the errors follow it.
    const errors = message.split("\n").slice(1).join("\n");
    const text = `Пока в банке есть ошибки, викторина не сможет его показать.\n${errors}`;
    return { ok: false, message: text };
  }
  try {
    await kept.writeItem(kept.PLAYED_BANK, { bytes });
  } catch (error) {
    return {
      ok: false,
      message:
        "Браузер не дал сохранить банк для игры (хранилище переполнено или запрещено). " +
        "Скачайте его кнопкой «Сохранить data.bin» и откройте в викторине кнопкой «Открыть банк…».",
    };
  }
  if (window.open(PLAY_URL, "_blank") === null) {
    return {
      ok: false,
      message: "Браузер не открыл вкладку с викториной: разрешите этой странице открывать окна.",
    };
  }
  return { ok: true, message: "" };
}
