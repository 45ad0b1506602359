# SPDX-License-Identifier: MIT
"""The bank editor's files in headless Chromium: opening every form, the draft kept over a
reload or a crash, the downloads, and «Играть» in the quiz page.

Served and driven as page_test.py does (its server and browser, a fresh profile and site each).
"""
import os
import shutil
import tempfile
import time
import unittest

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page_test import AIKEN, PageTest, make_bank

QUESTION = "Сколько бит в байте?"
OPTIONS = ["4", "8", "16", "32", "64"]
GIFT = "::Байт:: Сколько бит в байте? {\n~4\n=8\n~16\n~32\n~64\n}\n"
MOODLE_XML = """<?xml version="1.0" encoding="UTF-8"?>
<quiz>
  <question type="multichoice">
    <name><text>Байт</text></name>
    <questiontext format="html"><text><![CDATA[<p>Сколько бит в байте?</p>]]></text></questiontext>
    <single>true</single>
""" + "".join(f'    <answer fraction="{100 if n == "8" else 0}"><text>{n}</text></answer>\n'
              for n in OPTIONS) + "  </question>\n</quiz>\n"
CSV = "Вопрос;A;B;C;D;E;Ответ\r\nСколько бит в байте?;4;8;16;32;64;B\r\n"
# The fifth option missing: the draft opens with an error on it.
AIKEN_SHORT = "Сколько бит в байте?\nA) 4\nB) 8\nC) 16\nD) 32\nANSWER: B\n"

# The editor's module and modules of the page, as the page itself loaded them.
IMPORT = """
const base = document.querySelector("script[type=module]").src;
const load = (name) => import(new URL(name, base).href);
"""
BANK_SHOWN = IMPORT + """
const core = await load("editor_boundary.js");
const draft = await load("editor_draft.js");
const rows = [];
for (let row = 0; row < core.count(); row += 1) {
  rows.push([0, 1, 2, 3, 4, 5].map((field) => core.text(row, field)).concat([core.right(row)]));
}
return [rows, draft.hasUnsavedWork()];
"""


class EditorFilesTest(PageTest):
    def open_editor(self):
        self.driver.get(self.url + "editor.html")
        self.wait_for(lambda: self.driver.execute_script(
            "return document.body.dataset.ready === 'true'"), "the editor")

    def bank_shown(self):
        """The editor's questions ([text, five options, right one]) and whether work is unsaved."""
        return self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1]; (async () => {" + BANK_SHOWN +
            "})().then(done);")

    def editor_box(self):
        """The text of the editor's open box, or None."""
        return self.driver.execute_script(
            "const box = document.querySelector('dialog[open]');"
            "return box && box.querySelector('p').textContent;")

    def close_editor_box(self):
        text = self.wait_for(self.editor_box, "a box")
        self.driver.find_element(By.CSS_SELECTOR, "dialog[open] button").click()
        self.wait_for(lambda: self.editor_box() is None, "the box to close")
        return text

    def drop(self, name, data):
        self.driver.execute_script("""
            const drop = new DataTransfer();
            drop.items.add(new File([new Uint8Array(arguments[0])], arguments[1]));
            document.getElementById("form").dispatchEvent(
              new DragEvent("drop", {dataTransfer: drop, bubbles: true, cancelable: true}));""",
            list(data), name)

    def pick(self, name, data):
        path = os.path.join(self.site, name)
        with open(path, "wb") as out:
            out.write(data)
        self.driver.find_element(By.CSS_SELECTOR, "[data-action=open]").click()
        self.driver.find_element(By.ID, "editor-file-picker").send_keys(path)

    def press(self, action):
        self.driver.find_element(By.CSS_SELECTOR, f"[data-action={action}]").click()

    def test_every_form_opens_by_drop_or_picker(self):
        self.open_browser()
        # A picker the headless browser would close at once waits for the test's file instead.
        self.driver.execute_cdp_cmd("Page.setInterceptFileChooserDialog", {"enabled": True})
        self.open_editor()
        opened = [[QUESTION, *OPTIONS, 2]]
        asks = False
        for how, name, data, imported in [
                ("pick", "questions.txt", AIKEN.encode("utf-8"), False),
                ("drop", "utf16.txt", ("\ufeff" + AIKEN).encode("utf-16-le"), False),
                ("drop", "вопросы.txt", AIKEN.replace("\n", "\r\n").encode("cp1251"), False),
                ("pick", "export.gift", GIFT.encode("utf-8"), True),
                ("drop", "moodle.xml", MOODLE_XML.encode("utf-8"), True),
                ("drop", "table.csv", CSV.encode("cp1251"), True),
                ("pick", "data.bin", make_bank([(QUESTION, OPTIONS, 2)]), False)]:
            self.drop("other.bin", make_bank([("Другой", OPTIONS, 1)]))
            if asks:
                self.assertIn("несохранённые", self.wait_for(self.editor_box, "the question"))
                self.driver.find_element(By.CSS_SELECTOR, "dialog[open] button").click()  # Да
            self.wait_for(lambda: self.bank_shown()[0][0][0] == "Другой", "the bank before")
            if how == "pick":
                self.pick(name, data)
            else:
                self.drop(name, data)
            self.wait_for(lambda: self.bank_shown()[0] == opened, f"{name} opened by {how}")
            # A bank opened as it is saved leaves nothing to ask about before the next; one
            # brought in from another tool's file is kept in no form the quiz reads.
            asks = self.bank_shown()[1]
            self.assertEqual(asks, imported, name)
            self.assertIsNone(self.editor_box(), name)
        # Too large a file opens nothing and says why.
        self.driver.execute_script(
            "const drop = new DataTransfer();"
            "drop.items.add(new File([new Uint8Array((64 << 20) + 1)], 'huge.bin'));"
            "document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: drop,"
            " bubbles: true, cancelable: true}));")
        self.assertEqual(self.close_editor_box(),
                         "Файл «huge.bin» не открыт.\nОн больше 64 МБ: банк вопросов не бывает "
                         "так велик.")
        self.assertEqual(self.bank_shown()[0], opened)

    def test_the_editor_says_why_it_cannot_start(self):
        self.open_browser()
        self.allowed_console = [""]  # each case fails on purpose
        wasm = [os.path.join(folder, "vornikat-editor.wasm") for folder, _, names
                in os.walk(self.site) if "vornikat-editor.wasm" in names][0]
        # The missing file first: a visit that starts kept the files offline after it.
        for case, reason in [("file", "из файла"), ("missing", "Не загрузился"),
                             ("no wasm", "WebAssembly")]:
            if case == "no wasm":
                added = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                    {"source": "delete window.WebAssembly"})
            if case == "missing":
                os.rename(wasm, wasm + ".gone")
            if case == "no wasm":
                os.rename(wasm + ".gone", wasm)
            self.driver.get("file://" + os.path.join(self.site, "editor.html")
                            if case == "file" else self.url + "editor.html")
            line = self.wait_for(lambda: [e for e in self.driver.find_elements(
                By.CSS_SELECTOR, ".notice") if e.is_displayed()], f"the line for {case}")[0]
            self.assertIn(reason, line.text, case)
            if case == "no wasm":
                self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", added)

    def editor_ready(self, what):
        self.wait_for(lambda: self.driver.execute_script(
            "return document.body.dataset.ready === 'true'"), what)

    def test_each_tab_keeps_its_draft_through_a_reload_and_a_crash(self):
        self.open_browser()
        self.open_editor()
        first = self.driver.current_window_handle
        self.driver.find_element(By.ID, "field-0").send_keys("reload")
        # Kept as the page goes, however soon after the keystroke.
        self.assertTrue(self.asks_before_leaving("location.reload();"))
        self.editor_ready("the editor again")
        self.assertIn("Восстановлен черновик",
                      self.driver.find_element(By.ID, "message").text)
        rows, unsaved = self.bank_shown()
        self.assertIn("reload", rows[0][0])
        self.assertTrue(unsaved)
        self.assertTrue(self.asks_before_leaving())
        # A drop over that work asks first, and a slip of Enter keeps the work.
        self.drop("other.txt", AIKEN.encode("utf-8"))
        self.assertIn("несохранённые", self.wait_for(self.editor_box, "the question"))
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        self.wait_for(lambda: self.editor_box() is None, "the box to close")
        self.assertIn("reload", self.bank_shown()[0][0][0])
        self.driver.find_element(By.ID, "field-0").send_keys("crash")
        time.sleep(1)  # kept after a pause in typing: a crash gives the page no word
        # Another tab, while the first is open, starts afresh rather than take its work.
        self.driver.switch_to.new_window("tab")
        self.driver.get(self.url + "editor.html")
        self.editor_ready("a second tab")
        self.assertNotIn("crash", self.bank_shown()[0][0][0])
        second = self.driver.current_window_handle
        self.driver.switch_to.window(first)
        try:
            self.driver.execute_cdp_cmd("Page.crash", {})
        except WebDriverException:
            pass  # the tab is gone before it can answer
        self.driver.switch_to.window(second)
        self.driver.switch_to.new_window("tab")
        self.driver.get(self.url + "editor.html")
        self.editor_ready("a tab after the crash")
        rows, unsaved = self.bank_shown()
        self.assertEqual(sorted(rows[0][0].replace("crash", " crash ").split()),
                         ["crash", "reload"])
        self.assertTrue(unsaved)

    def downloaded(self, folder, name):
        path = os.path.join(folder, name)
        self.wait_for(lambda: os.path.exists(path) and not any(
            n.endswith(".crdownload") for n in os.listdir(folder)), f"{name} downloaded")
        with open(path, "rb") as data:
            return data.read()

    def test_data_bin_waits_for_the_errors_and_aiken_is_always_downloaded(self):
        self.open_browser()
        folder = tempfile.mkdtemp(prefix="vornikat-downloads-")
        self.addCleanup(shutil.rmtree, folder, True)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": folder})
        self.open_editor()
        self.drop("short.txt", AIKEN_SHORT.encode("cp1251"))
        self.wait_for(lambda: self.bank_shown()[0][0][4] == "32", "the draft")
        self.press("saveBank")
        refusal = self.close_editor_box()
        self.assertTrue(refusal.startswith("Банк не сохранён в «data.bin»"), refusal)
        self.assertIn("вариант 5", refusal)
        # A draft with its error goes as it came: the same encoding, the same text.
        self.press("saveAiken")
        self.assertEqual(self.downloaded(folder, "short.txt"), AIKEN_SHORT.encode("cp1251"))
        self.assertIn("«short.txt»", self.driver.find_element(By.ID, "message").text)
        self.assertFalse(self.bank_shown()[1])
        # A draft brought back by a reload keeps its name and form.
        os.remove(os.path.join(folder, "short.txt"))
        self.open_editor()
        self.press("saveAiken")
        self.assertEqual(self.downloaded(folder, "short.txt"), AIKEN_SHORT.encode("cp1251"))
        self.driver.find_element(By.ID, "field-5").send_keys("64")
        self.assertTrue(self.bank_shown()[1])
        self.press("saveBank")
        self.assertEqual(self.downloaded(folder, "data.bin"), make_bank([(QUESTION, OPTIONS, 2)]))
        self.assertFalse(self.bank_shown()[1])

    def test_play_opens_the_quiz_with_the_bank_being_edited(self):
        self.open_browser()
        self.open_editor()
        self.drop("mine.txt", AIKEN.encode("utf-8"))
        self.wait_for(lambda: self.bank_shown()[0][0][0] == QUESTION, "the bank")
        editor = self.driver.current_window_handle
        self.driver.find_element(By.ID, "field-0").send_keys(" (мой)")
        self.press("play")
        self.wait_for(lambda: len(self.driver.window_handles) == 2, "the quiz's tab")
        self.driver.switch_to.window(
            [handle for handle in self.driver.window_handles if handle != editor][0])
        # Its reload plays the same bank: it waits in the browser, not in the editor's tab.
        for visit in ["first", "reload"]:
            if visit == "reload":
                self.driver.refresh()
            self.answer_box("Вы готовы пройти Ворникат ?", "Да")
            self.answer_box("Желаю удачи :)", "OK")
            self.wait_for(self.main_shown, "the game")
            self.assertEqual(self.caption("LblQ"), QUESTION + " (мой)", visit)
            self.assertEqual(self.caption("Ans2"), "8", visit)

    def test_the_editor_works_offline_once_the_page_was_opened(self):
        self.visit_until_kept_offline()
        self.assertEqual(self.driver.execute_cdp_cmd(
            "Page.getAppManifest", {})["errors"], [])
        self.stop_server()
        self.open_editor()
        self.drop("mine.txt", AIKEN.encode("utf-8"))
        self.wait_for(lambda: self.bank_shown()[0][0][0] == QUESTION, "the bank offline")

    def asks_before_leaving(self, then=""):
        """Whether the page stops a leave to ask (the headless browser shows no such question)."""
        return self.driver.execute_script(
            "const leave = new Event('beforeunload', {cancelable: true});"
            "window.dispatchEvent(leave);" + then + "return leave.defaultPrevented;")


def load_tests(loader, tests, pattern):
    """Only this file's tests: the quiz page's run in page_test.py."""
    return loader.loadTestsFromNames(
        [f"EditorFilesTest.{name}" for name in dir(EditorFilesTest)
         if name.startswith("test_") and name in vars(EditorFilesTest)],
        __import__(__name__))


if __name__ == "__main__":
    unittest.main()
