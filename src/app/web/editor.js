// SPDX-License-Identifier: MIT
// The bank editor's page: loads the editor's module, measuring in the preview, and wires the
// question list, the form, the preview, the issue list, find, the keys and the files. Every
// edit goes to the module, which checks it and keeps its undo history; the page then shows what
// changed: after a keystroke the one question, after any other edit the whole bank.
import * as boxes from "./boxes.js";
import * as core from "./editor_boundary.js";
import * as draft from "./editor_draft.js";
import * as files from "./editor_files.js";
import { EXTRA_FIELD, QUESTION_FIELD, buildForm, nameField } from "./editor_form.js";
import { createList } from "./editor_list.js";
import * as preview from "./editor_preview.js";
import * as windows from "./windows.js";

const TITLE = "Редактор вопросов Ворниката";
// Yes and No, No the default: a slip of Enter keeps the work.
// The phone layout's query, as editor.css has it.
const PHONE = "(max-width: 719px)";
const ASK_YES_NO = 4 | 32 | 0x100;
const ANSWER_YES = 6;
const SHOW_ERROR = 16;
// Long texts are cut in the list: it shows which question it is, the form the rest.
const LIST_TEXT_LENGTH = 200;
const REQUIRE_FIT_ITEM = "vornikat-editor-require-fit";

let bankName = "";
let current = -1;
let questions = null;
let issueList = null;
let form = null;
let checking = null;
// The issue list's entries, by question and then field; the bank's own first, as question -1.
let entries = [];

const byId = (id) => document.getElementById(id);

function textsOf(row) {
  const texts = [];
  for (let field = QUESTION_FIELD; field <= EXTRA_FIELD; ++field) {
    texts[field] = field === 6 ? "" : core.text(row, field);
  }
  return texts;
}

function say(text) {
  byId("message").textContent = text;
}

function showMessage(text) {
  return boxes.showMessage(text, SHOW_ERROR, TITLE);
}

function showTitle() {
  const name = bankName === "" ? "Новый банк" : bankName;
  document.title = `${name}${draft.hasUnsavedWork() ? "*" : ""} — ${TITLE}`;
}

function showCounts() {
  const counts = core.counts();
  byId("counts").textContent = counts.checking
    ? `Вопросов: ${counts.questions}. Идёт проверка…`
    : `Вопросов: ${counts.questions}. Ошибок: ${counts.errors}. Предупреждений: ${counts.warnings}.`;
}

function flagOf(list) {
  if (list.length === 0) {
    return "";
  }
  return list.some((issue) => issue.error) ? "error" : "warning";
}

// "Ошибка: текст пуст…" beside the field is "Ошибка: вопрос 3, вариант 2: текст пуст…" in the list.
function describeEntry(entry) {
  if (entry.row < 0) {
    return entry.text;
  }
  const space = entry.text.indexOf(" ");
  return `${entry.text.slice(0, space)} вопрос ${entry.row + 1}, ` +
    `${nameField(entry.field).toLowerCase()}: ${entry.text.slice(space + 1)}`;
}

function entriesOf(row) {
  return core.issues(row).map((issue) => ({ row, ...issue }));
}

function rebuildIssues() {
  entries = [];
  const bank = core.bankIssue();
  if (bank !== "") {
    entries.push({ row: -1, field: -1, error: true, text: bank });
  }
  const count = core.count();
  for (let row = 0; row < count; ++row) {
    for (const issue of core.issues(row)) {
      entries.push({ row, ...issue });
    }
  }
  issueList.refresh();
}

// One question's entries replaced where they stand: a keystroke leaves the rest as they are.
function replaceIssues(row) {
  let low = 0;
  let high = entries.length;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (entries[middle].row < row) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  let end = low;
  while (end < entries.length && entries[end].row === row) {
    ++end;
  }
  const fresh = entriesOf(row);
  if (fresh.length !== end - low || fresh.some((entry, k) => entry.text !== entries[low + k].text)) {
    entries.splice(low, end - low, ...fresh);
    issueList.refresh();
  }
}

function showCurrent() {
  if (current < 0 || current >= core.count()) {
    form.showNothing();
    preview.showNothing();
    return;
  }
  const texts = textsOf(current);
  const right = core.right(current);
  form.show(texts, right, core.issues(current));
  preview.showQuestion(texts, right, current);
}

// The bank-wide checks run a slice at a time, so the page answers meanwhile.
function runChecks() {
  if (checking !== null || !core.counts().checking) {
    return;
  }
  checking = setTimeout(function step() {
    if (core.checkSlice() > 0) {
      checking = setTimeout(step, 0);
      showCounts();
      return;
    }
    checking = null;
    rebuildIssues();
    questions.refresh();
    if (current >= 0) {
      form.showIssues(core.issues(current));
    }
    showCounts();
  }, 0);
}

// imported: a New or an Open says whether its bank came from another tool's file.
function keepWork(imported) {
  draft.keepDraft(bankName, imported);
  showTitle();
}

function showCanUndo() {
  byId("undo").disabled = !core.canUndo();
  byId("redo").disabled = !core.canRedo();
}

// After an edit of one question's text or right option.
function showQuestionEdited(row) {
  if (row === current) {
    showCurrent();
  }
  questions.refreshRow(row);
  replaceIssues(row);
  showCounts();
  showCanUndo();
  runChecks();
  keepWork();
}

// After an edit of the bank's rows, an undo or redo, an opened bank: everything again.
function showBank(row) {
  questions.refresh();
  questions.select(row, false);
  current = questions.current;
  showCurrent();
  // Asked of every question, the issues would run the whole bank's checks at once: while they
  // run a slice at a time, the list keeps what it had until they are done.
  if (core.counts().checking) {
    entries = entries.filter((entry) => entry.row < core.count());
    issueList.refresh();
  } else {
    rebuildIssues();
  }
  showCounts();
  showCanUndo();
  runChecks();
  // The last question gone takes its fields, and the focus in them, with it: the list has it.
  // At the start the page stays at its top, the tool bar in sight.
  if (document.activeElement === document.body || document.activeElement.disabled) {
    byId("question-list").focus({ preventScroll: document.body.dataset.ready !== "true" });
  }
}

function editText(field, text) {
  say("");
  if (current >= 0) {
    core.setText(current, field, text);
    showQuestionEdited(current);
  }
}

function chooseRight(option) {
  say("");
  if (current >= 0 && core.right(current) !== option) {
    core.setRight(current, option);
    showQuestionEdited(current);
  } else {
    showCurrent();
  }
}

function editRows(edit, row) {
  say("");
  edit();
  showBank(row);
  keepWork();
}

const actions = {
  addQuestion() {
    const row = current + 1;
    editRows(() => core.insert(row), row);
    form.focusField(QUESTION_FIELD);
  },
  duplicateQuestion() {
    if (current >= 0) {
      const row = current;
      editRows(() => core.duplicate(row), row + 1);
    }
  },
  deleteQuestion() {
    if (current >= 0) {
      const row = current;
      editRows(() => core.remove(row), Math.min(row, core.count() - 2));
    }
  },
  moveUp: () => moveCurrent(-1),
  moveDown: () => moveCurrent(1),
  undo: () => stepHistory(core.undo),
  redo: () => stepHistory(core.redo),
  nextQuestion: () => questions.select(current + 1),
  previousQuestion: () => questions.select(current - 1),
  find() {
    byId("find").focus();
    byId("find").select();
  },
  findNext,
  goToIssues: () => byId("issue-list").focus(),
  newBank: () => confirmed(() => {
    core.newBank();
    bankName = "";
    entries = [];
    showBank(0);
    keepWork(false);
    form.focusField(QUESTION_FIELD);
  }),
  open: () => confirmed(async () => {
    const file = await files.pickFile();
    if (file) {
      await openFile(file);
    }
  }),
  saveBank: () => download(files.downloadBank),
  saveAiken: () => download(files.downloadAiken),
  async play() {
    const result = await files.playBank();
    if (!result.ok) {
      await showMessage(result.message);
    }
  },
};

function moveCurrent(step) {
  const to = current + step;
  if (current >= 0 && to >= 0 && to < core.count()) {
    const from = current;
    editRows(() => core.move(from, to), to);
  }
}

function moveDragged(from, to) {
  editRows(() => core.move(from, to), to);
}

// An undo or redo shows the question it touched, and the field where the focus is in the form.
function stepHistory(step) {
  say("");
  const touched = step();
  if (touched === null) {
    return;
  }
  const inForm = byId("form").contains(document.activeElement);
  showBank(touched.row);
  keepWork();
  if (inForm && touched.field >= 0) {
    form.focusField(touched.field);
  }
}

function findNext() {
  const text = byId("find").value;
  const found = core.find(text, current + 1);
  if (found < 0) {
    say(`«${text}» не найдено`);
    return;
  }
  say("");
  questions.select(found);
}

async function confirmed(then) {
  if (draft.hasUnsavedWork()) {
    const answer = await boxes.showMessage(
      "В банке есть несохранённые изменения. Продолжить без них?", ASK_YES_NO, TITLE);
    if (answer !== ANSWER_YES) {
      return;
    }
  }
  await then();
}

async function download(save) {
  const result = save();
  if (result.ok) {
    draft.markSaved();
    showTitle();
    // The browser's own word on a download is easy to miss.
    say(`Банк скачан как «${result.file}» в папку загрузок браузера.`);
  }
  // A download may have a word too: Aiken text saved in UTF-8 for a letter its encoding lacks.
  if (result.message !== "") {
    await showMessage(result.message);
  }
}

async function openFile(file) {
  let read;
  try {
    read = await files.readFile(file);
  } catch (error) {
    await showMessage(error.message);
    return;
  }
  // A large text takes seconds to read, and the page cannot paint meanwhile: the line is
  // painted first, so the author sees what the page is busy with.
  say(`Открывается «${read.name}»…`);
  await new Promise((painted) => {
    requestAnimationFrame(() => setTimeout(painted));
    setTimeout(painted, 100);  // a hidden tab paints no frame
  });
  const opened = core.openBytes(read.bytes, read.name);
  say(opened.opened ? `Открыт «${read.name}».` : "");
  if (opened.opened) {
    bankName = read.name;
    entries = [];
    showBank(0);
    keepWork(opened.imported);
  }
  if (opened.message !== "") {
    await showMessage(opened.message);
  }
}

// The editor's keys, wherever the focus is; the page's undo and redo, never a field's own.
// A letter by its key's place, so that it works in the Russian layout as well; any other key by
// its name, which either Enter has.
const CTRL_KEYS = {
  KeyZ: (shift) => (shift ? "redo" : "undo"),
  KeyY: () => "redo",
  KeyF: () => "find",
  KeyD: () => "duplicateQuestion",
  KeyL: () => "goToIssues",
  KeyO: () => "open",
  KeyS: (shift) => (shift ? "saveAiken" : "saveBank"),
  Enter: () => "addQuestion",
  Delete: (shift) => (shift ? "deleteQuestion" : null),
  PageDown: () => "nextQuestion",
  PageUp: () => "previousQuestion",
};

function actionOfKey(event) {
  const name = /^Key[A-Z]$/.test(event.code) ? event.code : event.key;
  if (event.ctrlKey && !event.altKey && Object.hasOwn(CTRL_KEYS, name)) {
    return CTRL_KEYS[name](event.shiftKey);
  }
  if (event.altKey && !event.ctrlKey && event.key === "ArrowUp") {
    return "moveUp";
  }
  if (event.altKey && !event.ctrlKey && event.key === "ArrowDown") {
    return "moveDown";
  }
  if (!event.ctrlKey && !event.altKey && event.key === "F3") {
    return "findNext";
  }
  if (!event.ctrlKey && !event.altKey && event.key === "F5") {
    return "play";
  }
  return null;
}

function takeKeys() {
  document.addEventListener(
    "keydown",
    (event) => {
      if (document.querySelector("dialog[open]")) {
        return;
      }
      const digit = /^Digit([1-5])$/.exec(event.code);
      if (event.altKey && !event.ctrlKey && !event.shiftKey && digit) {
        event.preventDefault();
        chooseRight(Number(digit[1]));
        return;
      }
      const action = actionOfKey(event);
      if (action !== null) {
        event.preventDefault();
        actions[action]();
      }
    },
    { capture: true });
  // A field's own undo, from its menu, would bypass the bank's history.
  document.addEventListener("beforeinput", (event) => {
    if (event.inputType === "historyUndo" || event.inputType === "historyRedo") {
      event.preventDefault();
      actions[event.inputType === "historyUndo" ? "undo" : "redo"]();
    }
  });
}

function buildLists() {
  questions = createList(byId("question-list"), {
    count: core.count,
    text: (row) => `${row + 1}. ${core.text(row, QUESTION_FIELD).slice(0, LIST_TEXT_LENGTH)}`,
    flag: (row) => flagOf(core.issues(row)),
    choose(row) {
      current = row;
      say("");
      showCurrent();
    },
    activate() {
      // On a phone the form stands above the list: the question chosen is brought into sight.
      if (matchMedia(PHONE).matches) {
        byId("form").scrollIntoView({ block: "start" });
      }
    },
    move: moveDragged,
  }, "question");
  const goToIssue = (row) => {
    const entry = entries[row];
    if (entry && entry.row >= 0) {
      questions.select(entry.row);
      form.focusField(entry.field);
    }
  };
  issueList = createList(byId("issue-list"), {
    count: () => entries.length,
    text: (row) => describeEntry(entries[row]),
    flag: (row) => (entries[row].error ? "error" : "warning"),
    choose() {},
    activate: goToIssue,
    move: null,
  }, "issue");
}

// The author's choice stays for the next visit, as the desktop editor's setting; a browser that
// refuses its storage keeps it for the visit.
function readRequireFit() {
  try {
    return localStorage.getItem(REQUIRE_FIT_ITEM) === "1";
  } catch {
    return false;
  }
}

function writeRequireFit(required) {
  try {
    localStorage.setItem(REQUIRE_FIT_ITEM, required ? "1" : "0");
  } catch {
    // The choice holds for this visit.
  }
}

function wireControls() {
  for (const button of document.querySelectorAll("[data-action]")) {
    button.addEventListener("click", () => actions[button.dataset.action]());
  }
  byId("find").addEventListener("keydown", (event) => {
    if (event.key === "Enter") {
      event.preventDefault();
      findNext();
    }
  });
  byId("find").addEventListener("input", () => say(""));
  const fit = byId("require-fit");
  fit.checked = readRequireFit();
  core.setRequireFit(fit.checked);
  fit.addEventListener("change", () => {
    core.setRequireFit(fit.checked);
    writeRequireFit(fit.checked);
    showBank(current);
  });
  files.acceptDrops(document.body, (file) => confirmed(() => openFile(file)));
  window.addEventListener("resize", () => {
    preview.fitPreview();
    questions.refresh();
    issueList.refresh();
  });
}

async function boot() {
  try {
    await core.loadEditorModule(preview.measure);
  } catch (error) {
    window.sayPageCannotStart("missing");
    return;
  }
  windows.setIcon(new URL("vornikat.ico", import.meta.url).href);
  // Shown before the preview is built: its controls are measured as they are laid out.
  byId("editor").hidden = false;
  preview.buildPreview(byId("preview"), core.mainDesign());
  form = buildForm(byId("form"), { text: editText, right: chooseRight });
  buildLists();
  wireControls();
  takeKeys();
  const kept = await draft.restoreKeptDraft();
  if (kept.restored) {
    bankName = kept.name;
  } else {
    core.newBank();
  }
  showBank(0);
  showTitle();
  if (kept.restored) {
    say("Восстановлен черновик, сохранённый браузером.");
  }
  // The author starts by typing the first question, without a scroll: a short viewport keeps
  // the tool bar in sight.
  form.focusField(QUESTION_FIELD, { preventScroll: true });
  document.body.dataset.ready = "true";
}

boot();
