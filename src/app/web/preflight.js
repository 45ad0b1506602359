// SPDX-License-Identifier: MIT
// Says in one visible line why the page cannot start and what to do, where the page's modules
// would never run to say it: a page opened from a file, a browser without WebAssembly, a frame
// with no origin of its own, a file of the page that did not load. A classic script, since a
// browser runs no module script in the first and third case.
"use strict";

const PAGE_CANNOT_START = {
  file: "Ворникат не открывается из файла на диске: браузер не даёт странице прочитать её файлы. " +
    "Откройте её через веб-сервер, по адресу http:// или https://.",
  wasm: "Этот браузер не выполняет WebAssembly, без которого Ворникат не работает. " +
    "Откройте страницу в другом браузере или разрешите WebAssembly в его настройках.",
  frame: "Ворникат открыт в изолированной рамке, где ему не загрузить свои файлы. " +
    "Откройте страницу в отдельной вкладке.",
  missing: "Не загрузился файл страницы. Обновите страницу; если это не поможет, " +
    "сообщите тому, кто её опубликовал: на сервере нет всех её файлов.",
};

// What is known at once is the cause of any file that then fails to load.
const knownCause = window.location.protocol === "file:" ? "file"
  : typeof WebAssembly !== "object" ? "wasm"
  : window.origin === "null" ? "frame" : null;

function sayPageCannotStart(failure) {
  const reason = knownCause || failure;
  const show = () => {
    const notice = document.getElementById("notice");
    if (notice.hidden) {
      notice.textContent = PAGE_CANNOT_START[reason];
      notice.dataset.reason = reason;
      notice.hidden = false;
      // Neither the quiz's loading line nor its bank picker, which nothing could play; the
      // editor page has neither.
      for (const id of ["starting", "pagebar"]) {
        const element = document.getElementById(id);
        if (element) {
          element.hidden = true;
        }
      }
    }
  };
  if (document.readyState === "loading") {
    document.addEventListener("DOMContentLoaded", show);
  } else {
    show();
  }
}

if (knownCause !== null) {
  sayPageCannotStart(knownCause);
}
window.addEventListener("error", (event) => {
  if (event.target instanceof HTMLScriptElement || event.target instanceof HTMLLinkElement) {
    sayPageCannotStart("missing");
  }
}, true);
