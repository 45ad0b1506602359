# SPDX-License-Identifier: MIT
"""The bank editor's page in headless Chromium, served and driven as page_test.py does the quiz.

VORNIKAT_SITE names the built site, VORNIKAT_BANK_TOOL the native vornikat-bank; VORNIKAT_SHOTS,
where given, receives the screenshots.
"""
import os
import shutil
import subprocess
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import page_test

# The editor's module, the very instance the page loaded, from the folder its files are kept in.
IMPORT_CORE = ('import(new URL("editor_boundary.js", '
               'document.querySelector("script[type=module]").src).href)')

# Every question of the bank as the module holds it: its texts, then its right option.
READ_BANK = "const done = arguments[arguments.length - 1];" + IMPORT_CORE + """
.then((core) => {
  const bank = [];
  for (let row = 0; row < core.count(); ++row) {
    bank.push([0, 1, 2, 3, 4, 5].map((field) => core.text(row, field)).concat([core.right(row)]));
  }
  done(bank);
});"""

FIVE = [
    ("Сколько бит в байте?", ["4", "8", "16", "32", "64"], 2),
    ("Что такое ОЗУ?", ["Память", "Диск", "Мышь", "Экран", "Шина"], 1),
    ("Кто пишет программы?", ["Кот", "Пёс", "Программист", "Ламер", "Чайник"], 3),
    ("Сколько будет 2+2?", ["1", "2", "3", "4", "5"], 4),
    ("Где живёт файл?", ["В поле", "В лесу", "В море", "В небе", "На диске"], 5),
]


def aiken_of(questions):
    lines = []
    for text, options, right in questions:
        lines.append(text)
        lines += [f"{'ABCDE'[k]}. {option}" for k, option in enumerate(options)]
        lines += [f"ANSWER: {'ABCDE'[right - 1]}", ""]
    return "\n".join(lines)


class EditorTest(unittest.TestCase):
    setUp = page_test.PageTest.setUp
    put_bank = page_test.PageTest.put_bank
    open_browser = page_test.PageTest.open_browser
    check_console = page_test.PageTest.check_console
    wait_for = page_test.PageTest.wait_for
    save_shot = page_test.PageTest.save_shot

    def open_editor(self, width=1366, height=768, mobile=False):
        self.open_browser()
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
        self.driver.get(self.url + "editor.html")
        self.wait_for(lambda: self.driver.execute_script("return document.body.dataset.ready"),
                      "the editor to start")

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifier, key):
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def bank(self):
        return self.driver.execute_async_script(READ_BANK)

    def type_question(self, text, options, right):
        self.keys(text)
        for option in options:
            self.keys(Keys.TAB, option)
        self.chord(Keys.ALT, str(right))

    def field(self, number):
        return self.driver.find_element(By.ID, f"field-{number}")

    def test_five_questions_typed_by_keyboard_alone_save_the_bank_the_tool_builds(self):
        self.open_editor()
        for k, (text, options, right) in enumerate(FIVE):
            if k > 0:
                self.chord(Keys.CONTROL, Keys.ENTER)
            self.type_question(text, options, right)
        self.assertEqual(self.driver.find_element(By.ID, "counts").text,
                         "Вопросов: 5. Ошибок: 0. Предупреждений: 0.")
        folder = tempfile.mkdtemp(prefix="vornikat-downloads-")
        self.addCleanup(shutil.rmtree, folder, True)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": folder})
        self.chord(Keys.CONTROL, "s")
        saved = os.path.join(folder, "data.bin")
        self.wait_for(lambda: os.path.exists(saved) and not any(
            name.endswith(".crdownload") for name in os.listdir(folder)), "data.bin downloaded")
        source = os.path.join(folder, "bank.txt")
        built = os.path.join(folder, "built.bin")
        with open(source, "w", encoding="utf-8") as out:
            out.write(aiken_of(FIVE))
        subprocess.run([os.environ["VORNIKAT_BANK_TOOL"], "build", source, "-o", built],
                       check=True, capture_output=True)
        with open(saved, "rb") as got, open(built, "rb") as want:
            self.assertEqual(got.read(), want.read())

    def test_undo_and_redo_take_back_and_bring_again_each_kind_of_edit(self):
        self.open_editor()
        for k, (text, options, right) in enumerate(FIVE[:3]):
            if k > 0:
                self.chord(Keys.CONTROL, Keys.ENTER)
            self.type_question(text, options, right)
        list_box = self.driver.find_element(By.ID, "question-list")
        # What each edit is, done by keyboard or mouse from the first question.
        edits = [
            ("text", lambda: (self.field(2).click(), self.keys(" байт"))),
            ("right option", lambda: self.chord(Keys.ALT, "5")),
            ("right option by a click",
             lambda: self.driver.find_element(By.CSS_SELECTOR, "input[name=right][value='4']").click()),
            ("add", lambda: self.chord(Keys.CONTROL, Keys.ENTER)),
            ("duplicate", lambda: self.chord(Keys.CONTROL, "d")),
            ("delete", lambda: ActionChains(self.driver).key_down(Keys.CONTROL).key_down(
                Keys.SHIFT).send_keys(Keys.DELETE).key_up(Keys.SHIFT).key_up(Keys.CONTROL).perform()),
            ("move", lambda: self.chord(Keys.ALT, Keys.ARROW_DOWN)),
            ("move by a drag", lambda: ActionChains(self.driver).drag_and_drop(
                self.driver.find_element(By.ID, "question-0"),
                self.driver.find_element(By.ID, "question-2")).perform()),
        ]
        for name, edit in edits:
            with self.subTest(name):
                list_box.click()
                self.keys(Keys.HOME)
                self.field(1).click()
                before = self.bank()
                edit()
                after = self.wait_for(lambda: self.bank() != before and self.bank(), name)
                # Wherever the focus is: in a field, whose own undo would not know the bank's.
                self.field(3).click()
                self.chord(Keys.CONTROL, "z")
                self.assertEqual(self.bank(), before, name)
                list_box.click()
                self.chord(Keys.CONTROL, "y")
                self.assertEqual(self.bank(), after, name)
                self.chord(Keys.CONTROL, "z")

    def preview_shown(self):
        return self.driver.execute_script("""
            const window = document.getElementById("preview-window");
            const caption = (name) => window.querySelector(`[data-control="${name}"]`).textContent;
            const mark = document.querySelector(".right-mark").getBoundingClientRect();
            const right = [1, 2, 3, 4, 5].find((k) => {
              const option = window.querySelector(`[data-control="Ans${k}"]`).getBoundingClientRect();
              return mark.top < option.bottom && mark.bottom > option.top;
            });
            const label = window.querySelector('[data-control="LblQ"]');
            return {texts: ["LblQ", "Ans1", "Ans2", "Ans3", "Ans4", "Ans5"].map(caption),
                    counter: caption("LblC"), clock: caption("LblT"), right,
                    cut: label.scrollHeight > label.clientHeight};""")

    def test_the_preview_shows_the_form_and_flags_a_question_exactly_when_it_is_cut(self):
        self.open_editor()
        self.type_question(*FIVE[0])
        self.chord(Keys.CONTROL, Keys.ENTER)
        self.type_question(*FIVE[1])
        form = [self.field(k).get_attribute("value") for k in range(6)]
        self.assertEqual(self.preview_shown(),
                         {"texts": form, "counter": "0/1", "clock": "1:00", "right": 1,
                          "cut": False})
        question = self.field(0)
        description = self.driver.find_element(By.ID, question.get_attribute("aria-describedby"))
        # A word at a time, from a line short of the last shown to past it.
        seen = []
        question.click()
        self.keys(Keys.END, " длинное слово" * 10)
        for _ in range(60):
            self.keys(" слово")
            seen.append((self.preview_shown()["cut"],
                         description.text.startswith("Внимание: займёт")))
            if [cut for cut, _ in seen[-3:]] == [True] * 3:
                break
        self.assertEqual((seen[0][0], seen[-1][0]), (False, True))
        self.assertEqual([(cut, cut) for cut, _ in seen], seen)
        self.assertEqual(question.get_attribute("aria-invalid"), "false")
        # An empty option: its field named, its problem its description, and in the issue list.
        self.field(3).click()
        self.keys(Keys.END, Keys.BACKSPACE * 16)
        option = self.field(3)
        self.assertEqual(option.accessible_name, "Вариант 3")
        self.assertEqual(
            self.driver.find_element(By.ID, option.get_attribute("aria-describedby")).text,
            "Внимание: текст пуст, и викторина покажет пустое место")
        self.assertIn("Внимание: вопрос 2, вариант 3: текст пуст, и викторина покажет пустое место",
                      self.driver.find_element(By.ID, "issue-list").text)

    def test_screenshots_with_a_flagged_field_on_a_screen_and_a_phone(self):
        for width, height, mobile, name in [(1366, 768, False, "editor-1366.png"),
                                            (1024, 600, False, "editor-1024.png"),
                                            (375, 667, True, "editor-phone.png")]:
            self.open_editor(width, height, mobile)
            self.assertEqual(self.driver.execute_script("return scrollY"), 0, "the tool bar in sight")
            # The new question's every field is flagged: each issue shows whole under its field.
            self.assertEqual(self.driver.execute_script(
                "return [...document.querySelectorAll('.issues')]"
                ".filter((line) => line.scrollHeight > line.clientHeight + 1).length"), 0, name)
            self.type_question(*FIVE[0])
            self.field(2).click()
            self.keys(Keys.END, Keys.BACKSPACE * 3)
            flagged = self.field(2)
            self.assertEqual(flagged.get_attribute("data-flag"), "warning")
            # The issue list's key, then Enter, goes to the first issue's field.
            self.field(0).click()
            self.chord(Keys.CONTROL, "l")
            self.keys(Keys.ENTER)
            self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "field-2")
            # The status line, which tells of a save or an opening, is in sight.
            self.assertLessEqual(self.driver.execute_script(
                "return document.querySelector('.status').getBoundingClientRect().bottom"),
                height, name)
            # Nothing sideways on a phone: the page is as wide as its viewport.
            self.assertLessEqual(
                self.driver.execute_script("return document.documentElement.scrollWidth"), width)
            self.driver.execute_script("scrollTo(0, 0)")
            self.save_shot(name)


if __name__ == "__main__":
    unittest.main()
