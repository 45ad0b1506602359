// SPDX-License-Identifier: MIT
// The editor's module through its script wrapper, under node: what the editor page gets back
// from each call. The module is built for the browser, so its .wasm is fetched from the site's
// folder through a fetch that reads files.
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";

const site = process.env.VORNIKAT_SITE;
const assets = fs
  .readdirSync(site)
  .map((name) => path.join(site, name))
  .find((folder) => fs.existsSync(path.join(folder, "editor_boundary.js")));
globalThis.fetch = async (url) => ({
  ok: true,
  arrayBuffer: async () => fs.readFileSync(new URL(url)),
});
WebAssembly.instantiateStreaming = undefined;
const editor = await import(pathToFileURL(path.join(assets, "editor_boundary.js")).href);

const utf8 = (text) => new TextEncoder().encode(text);
const aiken = "Что такое ОЗУ?\nA) Память\nB) Диск\nC) Мышь\nD) Кабель\nE) Принтер\nANSWER: B\n";

// A preview where every option is wider than its button.
await editor.loadEditorModule({
  question: () => ({ taken: 1, shown: 3, wordTooWide: false }),
  option: (text) => ({ taken: 10 * text.length, shown: 40, wordTooWide: false }),
});

// Typed by hand, as the form does: typing in one field is one step to undo.
editor.newBank();
editor.setText(0, 0, "Что");
editor.setText(0, 0, "Что такое ОЗУ?");
["Память", "Диск", "Мышь", "Кабель", "Принтер"].forEach((text, k) => editor.setText(0, k + 1, text));
editor.setRight(0, 2);
// Three options are wider than their button: warnings until the fit is required.
assert.deepEqual(editor.counts(), { questions: 1, errors: 0, warnings: 3, checking: false });
const typed = editor.bankBytes();
assert.equal(typed.message, "");
assert.equal(typed.name, "data.bin");
assert.deepEqual(editor.undo(), { row: 0, field: 6 });
assert.equal(editor.right(0), 1);
assert.deepEqual(editor.redo(), { row: 0, field: 6 });
assert.equal(editor.right(0), 2);
editor.undo();
for (let field = 5; field >= 1; field -= 1) {
  assert.deepEqual(editor.undo(), { row: 0, field });
}
assert.deepEqual(editor.undo(), { row: 0, field: 0 });
assert.equal(editor.text(0, 0), "");
assert.equal(editor.undo(), null);

// The same bank as text gives the same data.bin; Aiken comes back byte for byte.
assert.equal(editor.openBytes(utf8(aiken), "озу.txt").opened, true);
assert.deepEqual(editor.bankBytes().bytes, typed.bytes);
assert.equal(new TextDecoder().decode(editor.aikenBytes().bytes), aiken);

// The preview's measure decides the fit, and an error keeps data.bin from being saved.
editor.setRequireFit(true);
while (editor.checkSlice() > 0);
const flagged = editor.issues(0).find((issue) => issue.field === 1);
assert.equal(flagged.error, true);
assert.match(flagged.text, /^Ошибка: шириной 60 пикселей, а кнопка варианта показывает 40/);
const refused = editor.bankBytes();
assert.equal(refused.bytes, null);
assert.match(refused.message, /^Банк не сохранён в «data\.bin»: пока в нём есть ошибки/);
assert.match(refused.message, /\nОшибка: вопрос 1, вариант 1: шириной/);
assert.notEqual(editor.aikenBytes().bytes, null);
editor.setRequireFit(false);

// Every format opens; what opens nothing leaves the bank as it was.
const xml =
  '<?xml version="1.0"?><quiz><question type="multichoice"><questiontext format="plain_text">' +
  '<text>Что?</text></questiontext><answer fraction="100"><text>да</text></answer>' +
  '<answer fraction="0"><text>нет</text></answer></question></quiz>';
const utf16 = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(aiken, "utf16le")]);
const formats = [
  ["q.gift", utf8("::q:: Что? {=да ~нет ~может ~никогда ~всегда}\n")],
  ["q.xml", utf8(xml)],
  ["q.csv", utf8("Вопрос;A;B;C;D;E;Ответ\nЧто?;a;b;c;d;e;В\n")],
  ["q.txt", new Uint8Array(utf16)],
  ["data.bin", typed.bytes],
];
for (const [name, bytes] of formats) {
  assert.deepEqual(editor.openBytes(bytes, name).count, 1, name);
}
assert.equal(editor.openBytes(utf8(aiken.replace(/\n/g, "\r\n")), "crlf.txt").form, "UTF-8, CRLF");
const broken = editor.openBytes(typed.bytes.slice(0, 9), "data.bin");
assert.equal(broken.opened, false);
assert.match(broken.message, /^Файл «data\.bin» не открыт\.\nВикторина не загрузит этот банк: байт/);
assert.equal(editor.count(), 1);

// The kept draft restores whole, or a broken one not at all.
editor.insert(1);
editor.setText(1, 7, "шестой");
const image = editor.draftImage();
editor.newBank();
assert.equal(editor.restoreDraft(image), true);
assert.equal(editor.count(), 2);
assert.equal(editor.text(1, 7), "шестой");
assert.equal(editor.restoreDraft(image.slice(0, image.length - 1)), false);
assert.equal(editor.count(), 2);
assert.equal(editor.find("ОЗУ", 1), 0);
