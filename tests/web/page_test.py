# SPDX-License-Identifier: MIT
"""The page played in headless Chromium, served on 127.0.0.1, driven through WebDriver.

VORNIKAT_SITE names the built site; VORNIKAT_SHOTS, where given, receives the screenshots.
Each test gets a fresh browser profile (so an empty localStorage) and a fresh copy of the site,
and fails on any console error or warning of the page.
"""
import base64
import functools
import http.server
import os
import shutil
import struct
import tempfile
import threading
import time
import unittest
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--window-size=800,600",
]
CONTENT_SECURITY_POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'"
FAILURE_TEXT = "Файл data.bin повреждён или отсутствует!\nНевосможно продолжить запуск программы!"

# Records every sound the page starts, through the browser's own Web Audio objects.
RECORD_SOUNDS = """
window.__sounds = [];
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...args) {
  window.__sounds.push(Math.round(this.buffer.duration * 1000));
  return start.apply(this, args);
};
"""
AIKEN = "Сколько бит в байте?\nA. 4\nB. 8\nC. 16\nD. 32\nE. 64\nANSWER: B\n"
SOUND_101_MS = 681
SOUND_102_MS = 1042

# The viewports a box must show its whole text in: CSS pixels, device pixel ratio, whether a phone.
VIEWPORTS = [(1024, 768, 1, False), (1366, 768, 1, False), (375, 667, 3, True),
             (683, 384, 2, False)]  # the last: 1366 x 768 at 200 % zoom
GREETINGS = [
    "Вы готовы пройти Ворникат ?",
    "А, это ты ламерятина, зачем пришёл ?\nБудешь играть ?",
    "Привет чайник, что тебе надо ?\nБудешь играть ?",
    "Привет, что ты хочешь ?\nБудешь играть ?",
    "Привет Mr.Profi, хорошо что зашёл !\nБудешь играть ?",
    "Привет Хакер, играй честно в этот раз !\nТак ты будешь играть ?",
    "А зачем надо было в реестре капаться ?\nБудешь играть или нет ?",
]
VERDICTS = [
    "Фу, да ты самый тупой ламер из всех кого я знал, такого ламота я ещё не видел, позор тебе, "
    "не на один вопрос не ответил, чайник!!!",
    "Блин, не перевелись же ещё ламеры на свете, таких чайников как ты я ни разу не встречал, "
    "выходи из этой проги, таким ламерам как ты здесь не место",
    "Слабовато, мало ты очков набрал, не обижайся конечно, но ты ламер :)))",
    "Не так уж и плохо, очков чуть-чуть ниже среднего, но ты всё равно чайник и немного ламер",
    "Хорошо, у тебя больше половины правильных ответов, скорее всего ты не ламер!",
    "Отлично, очень хорошо, ты уж точно не ламер!",
    "Ууау, вот ты профи, ты прекрасно отвечал на вопросы, просто сногсшибательно. Super Cool!",
]
ALL_RIGHT = ("SUPER, SUPER, SUPER !!! Отлично, ты правильно ответил на ВСЕ вопросы, ты "
             "Mega-Giga-Tera Professional, обязательно напиши мне на vornikat@example.org "
             "сложно-ли было выиграть")


def split_verdict(text):
    """The verdict as the quiz shows it: both halves, each as long as half the text."""
    n = round(len(text) / 2)
    return text[:n] + "\n" + text[len(text) - n:]


# The page's boxes module, from the folder its files are kept in.
IMPORT_BOXES = 'import(new URL("boxes.js", document.querySelector("script[type=module]").src).href)'

# Shows a box with the page's own code and measures it: for each of its lines, the line's width
# unbroken and the rows it takes; whether the box or its text goes past the viewport or the box.
MEASURE_BOX = """
const [text, done] = arguments;
""" + IMPORT_BOXES + """
.then(async (boxes) => {
  const answered = boxes.showMessage(text, 64, "Ворникат");
  const box = [...document.querySelectorAll("dialog[open]")].pop();
  const p = box.querySelector("p");
  const node = p.firstChild;
  const pen = document.createElement("canvas").getContext("2d");
  pen.font = getComputedStyle(p).font;
  const lines = [];
  let at = 0;
  for (const line of text.split("\\n")) {
    const range = document.createRange();
    range.setStart(node, at);
    range.setEnd(node, at + line.length);
    const rects = [...range.getClientRects()].filter((r) => r.width > 0);
    lines.push([pen.measureText(line).width, new Set(rects.map((r) => Math.round(r.top))).size,
                rects.every((r) => r.left >= 0 && r.right <= innerWidth + 0.5 &&
                                   r.top >= 0 && r.bottom <= innerHeight + 0.5)]);
    at += line.length + 1;
  }
  const edge = box.getBoundingClientRect();
  const whole = edge.left >= 0 && edge.right <= innerWidth && edge.top >= 0 &&
      edge.bottom <= innerHeight && box.scrollHeight <= box.clientHeight &&
      box.scrollWidth <= box.clientWidth && p.scrollWidth <= p.clientWidth;
  box.dispatchEvent(new Event("cancel", {cancelable: true}));
  await answered;
  done([lines, whole, innerWidth]);
});
"""


def encode_text(text, factor):
    codes = text.encode("cp1251")
    return struct.pack("<h", len(codes) - 1) + struct.pack(
        f"<{len(codes) + 1}h", 0, *(c * factor for c in codes))


def make_bank(questions):
    """questions: (text, five options, number of the right one)."""
    out = struct.pack("<h", len(questions) - 1)
    out += b"".join(encode_text(q, 106) for q, _, _ in questions)
    for k in range(5):
        out += b"".join(encode_text(options[k], 4) for _, options, _ in questions)
    return out + b"".join(struct.pack("<h", right * 78) for _, _, right in questions)


def question(n, right):
    return (f"Вопрос {n}", [f"Ответ {n}.{k}" for k in range(1, 6)], right)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """Serves the site under the strict policy the page is written for; endless.bin is a small
    bank followed by zeros that never end."""

    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Content-Security-Policy", CONTENT_SECURITY_POLICY)
        super().end_headers()

    def do_GET(self):
        if self.path.startswith("/silent.bin"):
            time.sleep(60)  # never answers
            return
        if self.path.startswith("/stalls.bin"):
            self.send_response(200)
            self.send_header("Content-Length", "5120")
            self.end_headers()
            self.wfile.write(bytes(10))
            self.wfile.flush()
            time.sleep(60)
            return
        if self.path != "/endless.bin":
            super().do_GET()
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.end_headers()
        try:
            self.wfile.write(make_bank([("Без конца", ["1", "2", "3", "4", "5"], 2)]))
            while True:
                self.wfile.write(bytes(1 << 16))
        except (BrokenPipeError, ConnectionResetError):
            pass


class PageTest(unittest.TestCase):
    def setUp(self):
        self.site = tempfile.mkdtemp(prefix="vornikat-site-")
        self.addCleanup(shutil.rmtree, self.site)
        shutil.copytree(os.environ["VORNIKAT_SITE"], self.site, dirs_exist_ok=True)
        self.put_bank("data.bin", [question(1, 2), question(2, 4), question(3, 1)])
        handler = functools.partial(QuietHandler, directory=self.site)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.allowed_console = []

    def put_bank(self, name, questions=None, raw=None):
        with open(os.path.join(self.site, name), "wb") as out:
            out.write(raw if raw is not None else make_bank(questions))

    def open_browser(self, scale=1):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument(f"--force-device-scale-factor={scale}")
        profile = tempfile.mkdtemp(prefix="vornikat-profile-")
        options.add_argument(f"--user-data-dir={profile}")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver = driver
        self.addCleanup(shutil.rmtree, profile, True)
        self.addCleanup(driver.quit)
        self.addCleanup(self.check_console, driver)
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": RECORD_SOUNDS})

    def check_console(self, driver):
        for entry in driver.get_log("browser"):
            if entry["level"] in ("SEVERE", "WARNING") and not any(
                    allowed in entry["message"] for allowed in self.allowed_console):
                self.fail(f"console: {entry['message']}")

    # What the player sees ----------------------------------------------------------------------

    def wait_for(self, condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        self.fail(f"waited in vain for {what}")

    def box(self):
        """The open message box's text and buttons, or None."""
        return self.driver.execute_script("""
            const box = document.querySelector("dialog[open]");
            return box && [box.querySelector("p").textContent,
                           [...box.querySelectorAll("button")].map(b => b.textContent),
                           box.querySelector(".titlebar").textContent];""")

    def answer_box(self, text, button):
        shown = self.wait_for(self.box, f"the box {text!r}")
        self.assertEqual(shown[0], text)
        self.assertEqual(shown[2], "Ворникат")
        self.driver.find_element(
            By.XPATH, f"//dialog[@open]//button[normalize-space(.)='{button}']").click()
        self.wait_for(lambda: self.box() != shown, f"the box {text!r} to close")

    def caption(self, name):
        return self.driver.execute_script(
            f"return document.querySelector('[data-control=\"{name}\"]').textContent")

    def control(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-control="{name}"]')

    def focused(self):
        return self.driver.execute_script(
            "const e = document.activeElement; return e.id || e.dataset.control || e.textContent")

    def main_shown(self):
        return self.driver.execute_script(
            "const m = document.getElementById('Main'); return m !== null && !m.hidden")

    def closed_status(self):
        return self.driver.execute_script(
            "const c = document.getElementById('closed'); return c.hidden ? null : c.dataset.status")

    def sounds(self):
        return self.driver.execute_script("return window.__sounds")

    def start_first_game(self, query=""):
        self.driver.get(self.url + query)
        self.answer_box("Вы готовы пройти Ворникат ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        self.wait_for(self.main_shown, "the main window")

    def bring_bank(self, how, name, data):
        """Drops a file on the page or picks it with «Открыть банк…»."""
        if how == "pick":
            path = os.path.join(self.site, name)
            with open(path, "wb") as out:
                out.write(data)
            self.driver.find_element(By.ID, "open-bank").send_keys(path)
            return
        self.driver.execute_script("""
            const drop = new DataTransfer();
            drop.items.add(new File([new Uint8Array(arguments[0])], arguments[1]));
            document.getElementById("desk").dispatchEvent(
              new DragEvent("drop", {dataTransfer: drop, bubbles: true, cancelable: true}));""",
            list(data), name)

    def close_at_the_greeting(self):
        self.driver.get(self.url)
        self.answer_box("Вы готовы пройти Ворникат ?", "Нет")
        self.answer_box("Значит вы ламер :)", "OK")

    def choose(self, option):
        self.control(f"Ans{option}").click()
        self.control("Nxt").click()

    # The tests ---------------------------------------------------------------------------------

    def test_first_visit_plays_to_the_verdict_and_a_reload_greets_by_the_score(self):
        self.open_browser()
        self.start_first_game()
        self.assertEqual(self.caption("LblC"), "0/0")
        self.assertEqual(self.caption("LblT"), "1:00")
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")
        self.assertEqual(self.caption("Ans5"), "Ответ 1.5")
        self.assertEqual(self.focused(), "Ans1")
        self.choose(2)
        self.wait_for(lambda: self.caption("LblQ") == "Вопрос 2", "question 2")
        self.assertEqual(self.caption("LblC"), "1/1")
        self.assertEqual(self.focused(), "Ans1")
        self.choose(3)
        self.wait_for(lambda: self.caption("LblQ") == "Вопрос 3", "question 3")
        self.choose(1)
        verdict = self.wait_for(self.box, "the verdict")
        self.assertEqual(self.caption("LblC"), "2/3")
        self.assertIn("\n", verdict[0])
        self.answer_box(verdict[0], "OK")
        self.assertEqual(self.closed_status(), "0")
        self.assertEqual(
            self.driver.execute_script("return localStorage.getItem('Vornikat.LastScore')"), " 66")
        self.wait_for(lambda: len(self.sounds()) == 3, "three sounds")
        self.assertEqual(self.sounds(), [SOUND_101_MS, SOUND_102_MS, SOUND_101_MS])

        self.driver.refresh()
        self.answer_box("Привет, что ты хочешь ?\nБудешь играть ?", "Нет")
        self.answer_box("Значит ты ламер :)", "OK")
        self.assertEqual(self.closed_status(), "0")
        self.assertFalse(self.main_shown())

    def test_stored_scores_out_of_range_or_unreadable_greet_as_on_the_desktop(self):
        self.open_browser()
        self.driver.get(self.url)
        self.wait_for(self.box, "the first greeting")
        for stored, greeting in [
                ("40000", "Привет Хакер, играй честно в этот раз !\nТак ты будешь играть ?"),
                ("lamer", "А, это ты ламерятина, зачем пришёл ?\nБудешь играть ?"),
                ("x" * 300, "А зачем надо было в реестре капаться ?\nБудешь играть или нет ?")]:
            self.driver.execute_script("localStorage.setItem('Vornikat.LastScore', arguments[0])",
                                       stored)
            self.driver.refresh()
            self.answer_box(greeting, "Да")
            self.answer_box("Желаю удачи :)", "OK")

    def test_a_score_the_storage_refuses_greets_the_next_game_of_the_visit(self):
        self.put_bank("data.bin", [question(1, 1)])
        self.open_browser()
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            Object.defineProperty(window, "localStorage", {
              get() { throw new DOMException("refused", "SecurityError"); }});"""})
        self.start_first_game()
        self.choose(1)
        verdict = self.wait_for(self.box, "the verdict")
        self.assertTrue(verdict[0].startswith("SUPER, SUPER, SUPER !!!"))
        self.answer_box(verdict[0], "OK")
        self.driver.find_element(By.ID, "again").click()
        self.answer_box("Привет Mr.Profi, хорошо что зашёл !\nБудешь играть ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        self.wait_for(self.main_shown, "the main window again")
        said = [e["message"] for e in self.driver.get_log("browser") if "storage" in e["message"]]
        self.assertEqual(len(said), 1, said)

    def test_each_game_greets_by_the_score_stored_at_its_start(self):
        self.put_bank("data.bin", [question(1, 1)])
        with open(os.path.join(self.site, "other.html"), "w") as out:
            # The page's own icon, from the folder of its files, as the site's policy allows.
            assets = next(name for name in os.listdir(self.site)
                          if os.path.isdir(os.path.join(self.site, name)))
            out.write('<!DOCTYPE html><title>another tab</title>'
                      f'<link rel="icon" href="{assets}/vornikat.ico">')
        self.open_browser()
        self.start_first_game()
        self.choose(1)
        self.answer_box(self.wait_for(self.box, "the verdict")[0], "OK")
        ours = self.driver.current_window_handle
        for change, greeting, answer in [
                ("localStorage.setItem('Vornikat.LastScore', ' 20')",
                 "А, это ты ламерятина, зачем пришёл ?\nБудешь играть ?", "Значит ты ламер :)"),
                ("localStorage.removeItem('Vornikat.LastScore')", "Вы готовы пройти Ворникат ?",
                 "Значит вы ламер :)")]:
            self.driver.switch_to.new_window("tab")
            self.driver.get(self.url + "other.html")
            self.driver.execute_script(change)
            self.driver.close()
            self.driver.switch_to.window(ours)
            self.driver.find_element(By.ID, "again").click()
            self.answer_box(greeting, "Нет")
            self.answer_box(answer, "OK")

    def test_a_dropped_bank_file_starts_a_game_with_it(self):
        self.open_browser()
        self.start_first_game()
        self.bring_bank("drop", "my bank.bin",
                        make_bank([("<b>Из</b> файла", ["<i>1</i>", "2", "3", "4", "5"], 3)]))
        self.answer_box("Начать новую игру с банком «my bank.bin»?\nТекущая игра будет прервана.",
                        "Да")
        self.answer_box("Вы готовы пройти Ворникат ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        # Markup in a bank is text the player reads, never the page's own.
        self.wait_for(lambda: self.caption("LblQ") == "<b>Из</b> файла",
                      "the dropped bank's question, its markup shown as text")
        self.assertEqual(self.caption("Ans1"), "<i>1</i>")
        self.assertEqual(self.driver.execute_script(
            "return document.querySelectorAll('#desk b, #desk i').length"), 0)
        self.assertEqual(self.caption("LblC"), "0/0")

    def test_a_bank_that_never_answers_or_stalls_shows_its_loading_and_is_given_up(self):
        self.open_browser()
        shots = os.environ.get("VORNIKAT_SHOTS")
        for query, shown, cancel in [("?bank=silent.bin&stall-ms=2000", "", False),
                                     ("?bank=stalls.bin&stall-ms=2000", "10 байт из 5 КБ", False),
                                     ("?bank=stalls.bin", "10 байт из 5 КБ", True)]:
            self.driver.get(self.url + query)
            self.answer_box("Вы готовы пройти Ворникат ?", "Да")
            self.answer_box("Желаю удачи :)", "OK")
            panel = self.wait_for(lambda: self.driver.find_elements(
                By.CSS_SELECTOR, "#loading:not([hidden])"), "the loading panel")[0]
            self.assertIn(query.split("&")[0][6:], panel.text)
            self.wait_for(lambda: shown in panel.text, f"{shown!r} on the panel")
            if cancel:
                if shots:
                    os.makedirs(shots, exist_ok=True)
                    self.driver.save_screenshot(os.path.join(shots, "web-loading.png"))
                ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()
            self.answer_box(FAILURE_TEXT, "OK")
            self.assertEqual(self.closed_status(), "1")
            self.assertFalse(self.driver.find_elements(By.ID, "loading"))

    def test_the_page_says_why_it_cannot_start(self):
        with open(os.path.join(self.site, "framed.html"), "w") as out:
            out.write('<iframe sandbox="allow-scripts" src="index.html"></iframe>')
        self.open_browser()
        self.allowed_console = [""]  # each case fails on purpose
        site_file = "file://" + os.path.join(self.site, "index.html")
        wasm = [os.path.join(folder, "vornikat.wasm") for folder, _, names in os.walk(self.site)
                if "vornikat.wasm" in names][0]
        for case, reason in [("file", "из файла"), ("missing", "Не загрузился"),
                             ("no wasm", "WebAssembly"), ("frame", "в изолированной рамке"),
                             ("no script", "Ворникату нужен JavaScript.")]:
            if case == "no wasm":
                added = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                    {"source": "delete window.WebAssembly"})
            if case == "missing":
                os.rename(wasm, wasm + ".gone")
            if case == "no script":
                self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled",
                                            {"value": True})
            self.driver.get({"file": site_file, "frame": self.url + "framed.html"}.get(
                case, self.url))
            if case == "frame":
                self.driver.switch_to.frame(0)
            line = self.wait_for(lambda: [e for e in self.driver.find_elements(
                By.CSS_SELECTOR, ".notice") if e.is_displayed()], f"the line for {case}")[0]
            self.assertIn(reason, line.text, case)
            if case != "no script":
                # Nothing offers a bank that cannot be played.
                self.assertFalse(self.driver.find_element(By.ID, "pagebar").is_displayed(), case)
            self.assertLessEqual(line.rect["y"] + line.rect["height"],
                                 self.driver.execute_script("return innerHeight"), case)
            self.driver.switch_to.default_content()
            if case == "no wasm":
                self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", added)
            if case == "missing":
                os.rename(wasm + ".gone", wasm)

    def test_text_banks_play_in_any_encoding_by_link_drop_and_picker(self):
        self.open_browser()
        with open(os.path.join(self.site, "q.txt"), "wb") as out:
            out.write(AIKEN.encode("utf-8"))
        crlf_1251 = AIKEN.replace("\n", "\r\n").encode("cp1251")
        utf16 = ("\ufeff" + AIKEN).encode("utf-16-le")
        in_link = "data:text/plain;base64," + base64.b64encode(AIKEN.encode()).decode()
        for how, name, data, plays in [
                ("link", "q.txt", None, True),
                ("link", urllib.parse.quote(in_link, safe=""), None, True),
                ("drop", "вопросы.txt", crlf_1251, True),
                ("pick", "questions.txt", utf16, True),
                ("drop", "broken.txt", b"A line and no question\n", False)]:
            if how == "link":
                self.driver.get(f"{self.url}?bank={name}")
            else:
                self.close_at_the_greeting()
                self.bring_bank(how, name, data)
            self.answer_box("Вы готовы пройти Ворникат ?", "Да")
            self.answer_box("Желаю удачи :)", "OK")
            if plays:
                self.wait_for(self.main_shown, f"the game of {how} {name}")
                self.assertEqual(self.caption("LblQ"), "Сколько бит в байте?", name)
                self.assertEqual(self.caption("Ans2"), "8", name)
            else:
                self.answer_box(FAILURE_TEXT, "OK")

    def test_a_bank_brought_during_a_game_asks_first_and_a_broken_one_is_told_once(self):
        self.open_browser()
        self.start_first_game()
        asks = "Начать новую игру с банком «broken.bin»?\nТекущая игра будет прервана."
        self.bring_bank("drop", "broken.bin", b"\xff\xff")
        self.answer_box(asks, "Нет")
        self.assertTrue(self.main_shown())
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")
        self.bring_bank("pick", "broken.bin", b"\xff\xff")
        self.answer_box(asks, "Да")
        self.answer_box("Вы готовы пройти Ворникат ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        self.answer_box(FAILURE_TEXT, "OK")
        self.driver.find_element(By.ID, "again").click()
        self.answer_box("Вы готовы пройти Ворникат ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        self.wait_for(self.main_shown, "the page's own bank again")
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")

    def test_a_bank_is_read_only_as_far_as_its_questions_go(self):
        self.open_browser()
        self.start_first_game("?bank=endless.bin")
        self.assertEqual(self.caption("LblQ"), "Без конца")
        self.choose(2)
        verdict = self.wait_for(self.box, "the verdict")
        self.answer_box(verdict[0], "OK")
        self.assertEqual(self.closed_status(), "0")

    def test_a_time_out_on_the_virtual_clock_judges_the_answer_as_wrong(self):
        self.put_bank("data.bin", [question(1, 1), question(2, 1)])
        self.open_browser()
        self.start_first_game()
        # Chromium's virtual clock runs the page's timers through each budget at once.
        self.driver.execute_cdp_cmd("Emulation.setVirtualTimePolicy",
                                    {"policy": "advance", "budget": 30000})
        self.wait_for(lambda: self.caption("LblT") in ("0:33", "0:32", "0:31", "0:30"),
                      "half a minute gone")
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")
        self.driver.execute_cdp_cmd("Emulation.setVirtualTimePolicy",
                                    {"policy": "advance", "budget": 35000})
        self.wait_for(lambda: self.caption("LblQ") == "Вопрос 2", "the time-out", 30)
        self.assertEqual(self.caption("LblC"), "0/1")
        self.assertEqual(self.focused(), "Ans1")
        # The sound's decoding finishes on the page's clock too, which stops at each budget's end.
        def sounded():
            self.driver.execute_cdp_cmd("Emulation.setVirtualTimePolicy",
                                        {"policy": "advance", "budget": 500})
            return self.sounds() == [SOUND_102_MS]
        self.wait_for(sounded, "the wrong answer's sound")

    def test_the_minute_runs_on_while_the_page_gets_no_ticks(self):
        self.put_bank("data.bin", [question(1, 1), question(2, 1)])
        self.open_browser()
        # Time the page lives through without a tick, as a hidden tab does.
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            const now = performance.now.bind(performance);
            let away = 0;
            performance.now = () => now() + away;
            window.__leave = (ms) => { away += ms; };"""})
        self.start_first_game()
        for away, countdown, asked, counter in [
                (20000, ("0:40", "0:39", "0:38", "0:37"), "Вопрос 1", "0/0"),
                (42000, ("1:00", "0:59", "0:58", "0:57"), "Вопрос 2", "0/1")]:  # timed out
            self.driver.execute_script("window.__leave(arguments[0])", away)
            self.wait_for(lambda: self.caption("LblT") in countdown, f"{countdown} after {away}", 3)
            self.assertEqual((self.caption("LblQ"), self.caption("LblC")), (asked, counter))
        self.wait_for(lambda: self.sounds() == [SOUND_102_MS], "the time-out's sound")

    def test_a_broken_or_missing_bank_ends_with_its_box_and_bank_names_another(self):
        self.put_bank("data.bin", raw=b"\xff\xff")
        self.put_bank("other.bin", [("Другой вопрос", ["а", "б", "в", "г", "д"], 5)])
        self.open_browser()
        self.allowed_console = ["missing.bin - Failed to load resource"]
        for query in ["", "?bank=missing.bin"]:
            self.driver.get(self.url + query)
            self.answer_box("Вы готовы пройти Ворникат ?", "Да")
            self.answer_box("Желаю удачи :)", "OK")
            self.answer_box(FAILURE_TEXT, "OK")
            self.assertEqual(self.closed_status(), "1")
            self.assertFalse(self.main_shown())
        self.start_first_game("?bank=other.bin")
        self.assertEqual(self.caption("LblQ"), "Другой вопрос")
        self.assertEqual(self.caption("Ans5"), "д")
        self.put_bank("data.bin", [question(1, 2)])
        self.start_first_game("?bank=%20%20")
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")

    def visit_until_kept_offline(self):
        """A first visit, until the service worker serves the page."""
        self.open_browser()
        self.driver.get(self.url)
        self.wait_for(self.box, "the greeting")
        self.wait_for(lambda: self.driver.execute_script(
            "return navigator.serviceWorker.controller !== null"), "the page kept offline")

    def stop_server(self):
        self.server.shutdown()
        self.server.server_close()

    def test_the_page_installs_and_a_second_visit_plays_without_the_server(self):
        self.visit_until_kept_offline()
        self.assertEqual(self.driver.execute_cdp_cmd(
            "Page.getInstallabilityErrors", {})["installabilityErrors"], [])
        self.stop_server()
        self.start_first_game()
        self.assertEqual(self.caption("LblQ"), "Вопрос 1")

    def test_keyboard_alone_plays_and_leaves(self):
        self.open_browser()
        self.driver.get(self.url)
        keys = ActionChains(self.driver)
        self.wait_for(self.box, "the greeting")
        order = []
        for _ in range(3):
            keys.send_keys(Keys.TAB).perform()
            order.append(self.focused())
        self.assertEqual(order, ["Нет", "Да", "Нет"])  # round the box's buttons, never off it
        keys.send_keys("д").perform()  # the letter of «Да»
        self.wait_for(lambda: self.box() and self.box()[0] == "Желаю удачи :)", "good luck")
        keys.send_keys(Keys.ENTER).perform()
        self.wait_for(self.main_shown, "the main window")
        self.assertEqual(self.focused(), "Ans1")
        order = []
        for _ in range(4):
            keys.send_keys(Keys.TAB).perform()
            order.append(self.focused())
        self.assertEqual(order, ["Nxt", "Exit", "HelpMe", "Ans1"])
        keys.send_keys(Keys.ARROW_DOWN).perform()
        self.assertEqual(self.focused(), "Ans2")
        keys.send_keys(Keys.ENTER).perform()  # no default button: Enter submits nothing
        self.assertEqual(self.caption("LblC"), "0/0")
        keys.send_keys(Keys.TAB, Keys.SPACE).perform()
        self.wait_for(lambda: self.caption("LblC") == "1/1", "the answer judged")
        self.assertEqual(self.focused(), "Ans1")
        keys.send_keys(Keys.TAB, Keys.TAB, Keys.ENTER).perform()
        self.wait_for(lambda: self.box() and self.box()[0] == "Пока, загляни сюда ещё как-нибудь!",
                      "the goodbye")
        keys.send_keys(Keys.ENTER).perform()
        self.wait_for(lambda: self.closed_status() == "0", "the closed page")
        self.assertIsNone(self.driver.execute_script(
            "return localStorage.getItem('Vornikat.LastScore')"))

    def test_a_click_off_the_controls_keeps_the_focus_and_selects_nothing(self):
        self.open_browser()
        self.driver.get(self.url)
        self.wait_for(self.box, "the greeting")
        self.driver.find_element(By.CSS_SELECTOR, "dialog[open] p").click()
        self.assertEqual(self.focused(), "Да")
        self.answer_box("Вы готовы пройти Ворникат ?", "Да")
        self.answer_box("Желаю удачи :)", "OK")
        self.wait_for(self.main_shown, "the main window")
        for where in ["#Main .titlebar span", '[data-control="LblQ"]', '[data-control="LblT"]']:
            ActionChains(self.driver).double_click(
                self.driver.find_element(By.CSS_SELECTOR, where)).perform()
            self.assertEqual(self.focused(), "Ans1", where)
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("a").key_up(
            Keys.CONTROL).perform()
        self.assertEqual(self.driver.execute_script("return String(getSelection()).trim()"), "")
        ActionChains(self.driver).send_keys(Keys.TAB, Keys.SPACE).perform()
        self.wait_for(lambda: self.caption("LblC") == "0/1", "the answer judged")

    def main_listeners(self):
        main = self.driver.execute_cdp_cmd("Runtime.evaluate", {
            "expression": "document.getElementById('Main')"})["result"]["objectId"]
        return sorted(listener["type"] for listener in self.driver.execute_cdp_cmd(
            "DOMDebugger.getEventListeners", {"objectId": main})["listeners"])

    def test_the_about_box_finds_no_tool_and_closes_by_its_keys(self):
        self.open_browser()
        self.start_first_game()
        main_listeners = self.main_listeners()
        keys = ActionChains(self.driver)
        self.control("HelpMe").click()
        title = self.driver.find_element(By.CSS_SELECTOR, "#frmHelp .titlebar span")
        self.assertEqual(title.text, 'О программе "Ворникат"')
        self.assertEqual(self.focused(), "cmdOK")
        keys.send_keys(Keys.TAB).perform()
        self.assertEqual(self.focused(), "picIcon")
        keys.send_keys(Keys.TAB).perform()
        self.assertEqual(self.focused(), "cmdSysInfo")
        keys.key_down(Keys.ALT).send_keys("s").key_up(Keys.ALT).perform()
        self.answer_box("System Information Is Unavailable At This Time", "OK")
        self.assertIsNone(self.driver.execute_script(
            "return document.querySelector('dialog .icon')"))
        self.control("cmdOK").send_keys(Keys.ESCAPE)
        self.wait_for(lambda: not self.driver.find_elements(By.ID, "frmHelp"), "Esc to close it")
        self.assertEqual(self.focused(), "HelpMe")
        self.control("HelpMe").click()
        # The box lies over Main's buttons, centred as Main is: the second click comes by script.
        self.driver.execute_script("arguments[0].click()", self.control("HelpMe"))
        self.assertEqual(len(self.driver.find_elements(By.ID, "frmHelp")), 1)
        keys.send_keys(Keys.ENTER).perform()
        self.wait_for(lambda: not self.driver.find_elements(By.ID, "frmHelp"), "Enter to close it")
        self.assertTrue(self.main_shown())
        self.assertEqual(self.main_listeners(), main_listeners)  # the box took its own along
        keys.send_keys(Keys.TAB).perform()
        self.assertEqual(self.focused(), "Ans1")
        # Closing Main says goodbye with Main still there, and the end takes the About box too.
        self.control("HelpMe").click()
        self.driver.find_element(By.CSS_SELECTOR, "#Main .titlebar .close").click()
        goodbye = self.wait_for(self.box, "the goodbye")
        self.assertEqual(goodbye[0], "Пока, загляни сюда ещё как-нибудь!")
        self.assertTrue(self.main_shown())
        self.answer_box(goodbye[0], "OK")
        self.assertEqual(self.closed_status(), "0")
        self.assertFalse(self.driver.find_elements(By.ID, "frmHelp"))

    def test_a_screen_reader_hears_the_question_and_the_names_of_counter_and_countdown(self):
        self.open_browser()
        self.start_first_game()
        self.control("HelpMe").click()
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        said = {(n.get("role", {}).get("value"), n.get("name", {}).get("value")):
                n.get("description", {}).get("value", "") for n in nodes if not n.get("ignored")}
        for role, name, description in [
                ("status", "Счётчик правильных ответов", ""),  # each said once, as its name
                ("timer", "Время, отведённое на ответ", ""),
                ("group", "Варианты ответов", ""), ("radio", "Ответ 1.3", ""),
                ("button", "Дальше", "Ответить на вопрос"),
                ("dialog", 'О программе "Ворникат"', "Ворникат Версия 1.00 При помощи")]:
            self.assertIn((role, name), said)
            heard = said[(role, name)]
            self.assertTrue(heard.startswith(description) and (description or not heard),
                            (name, heard))
        self.assertEqual(self.control("LblQ").get_attribute("aria-live"), "polite")

    def test_every_control_shows_a_clear_focus_ring(self):
        self.open_browser()
        self.start_first_game()
        self.control("HelpMe").click()
        for _ in range(3):  # cmdOK, picIcon, cmdSysInfo
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            ring = self.driver.execute_script("""
                const e = document.activeElement;
                const s = getComputedStyle(e.type === "radio" ? e.nextElementSibling : e);
                return [e.dataset.control, s.outlineStyle, parseFloat(s.outlineWidth)];""")
            self.assertNotEqual(ring[1], "none", ring)
            self.assertGreaterEqual(ring[2], 2, ring)

    def rect(self, selector):
        return self.driver.execute_script(
            "const r = document.querySelector(arguments[0]).getBoundingClientRect();"
            "return [r.left, r.top, r.right, r.bottom]", selector)

    def drag(self, selector, to, pointer="mouse"):
        """Drags by the title bar, by (dx, dy), or to the viewport's corner to="top-left"."""
        grip = self.driver.find_element(By.CSS_SELECTOR, f"{selector} .titlebar span")
        if isinstance(to, str):
            left, top, right, bottom = self.rect(f"{selector} .titlebar span")
            width, height = self.driver.execute_script("return [innerWidth, innerHeight]")
            x, y = (2, 2) if to == "top-left" else (width - 2, height - 2)
            to = (int(x - (left + right) / 2), int(y - (top + bottom) / 2))
        kind = interaction.POINTER_TOUCH if pointer == "touch" else interaction.POINTER_MOUSE
        actions = ActionBuilder(self.driver, mouse=PointerInput(kind, pointer))
        actions.pointer_action.move_to(grip).pointer_down().move_by(
            to[0] // 2, to[1] // 2).move_by(to[0] - to[0] // 2, to[1] - to[1] // 2).pointer_up()
        actions.perform()

    def test_windows_move_by_their_title_bars_within_the_viewport_and_come_forward_on_focus(self):
        self.open_browser()
        self.start_first_game()
        for size in (1024, 1366):
            self.driver.set_window_size(size, 768)
            self.control("HelpMe").click()
            main, about = self.rect("#Main"), self.rect("#frmHelp")
            width, height = self.driver.execute_script("return [innerWidth, innerHeight]")
            self.assertTrue(about[0] >= main[2] or about[2] <= main[0], (size, main, about))
            self.assertTrue(main[0] >= 0 and about[2] <= width, (size, main, about))
            self.save_shot(f"web-main-and-about-{size}.png")
            self.control("cmdOK").click()
        self.control("HelpMe").click()
        for pointer, window, to in [("mouse", "#Main", (-120, 40)), ("touch", "#frmHelp", (30, -25)),
                                    ("mouse", "#Main", "top-left"),
                                    ("touch", "#frmHelp", "bottom-right")]:
            before = self.rect(window)
            self.drag(window, to, pointer)
            after = self.rect(window)
            if not isinstance(to, str):
                self.assertAlmostEqual(after[0] - before[0], to[0], delta=1, msg=pointer)
                self.assertAlmostEqual(after[1] - before[1], to[1], delta=1, msg=pointer)
            self.assertTrue(after[0] >= 0 and after[1] >= 0 and after[2] <= width and
                            after[3] <= height, (pointer, window, after))
        # Over each other, the window whose control takes the focus (a time-out's Ans1) comes
        # to the front, so that the keys work on what the player sees.
        self.drag("#frmHelp", "top-left")
        self.control("picIcon").click()
        self.driver.execute_script("document.getElementById('Ans1').focus()")
        on_top = self.driver.execute_script("""
            const r = document.getElementById("Ans1").getBoundingClientRect();
            return document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2).closest(
                ".window").id""")
        self.assertEqual(on_top, "Main")

    def test_every_greeting_and_verdict_shows_whole_lines_wrapped_only_where_too_wide(self):
        self.open_browser()
        texts = GREETINGS + [split_verdict(v) for v in VERDICTS] + [ALL_RIGHT]
        for width, height, ratio, phone in VIEWPORTS:
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": phone})
            self.driver.get(self.url)
            self.wait_for(self.box, "the greeting")
            for text in texts:
                lines, whole, viewport = self.driver.execute_async_script(MEASURE_BOX, text)
                where = f"{width}x{height}@{ratio}: {text[:30]}"
                self.assertTrue(whole, where)
                for unbroken, rows, seen in lines:
                    self.assertTrue(seen, where)
                    # A line with room beside the icon and the box's margins stays whole.
                    if unbroken <= viewport - 120:
                        self.assertEqual(rows, 1, where)
            self.save_verdict_shot(width, ratio)

    def save_shot(self, name):
        shots = os.environ.get("VORNIKAT_SHOTS")
        if shots:
            os.makedirs(shots, exist_ok=True)
            self.driver.save_screenshot(os.path.join(shots, name))

    def save_verdict_shot(self, width, ratio):
        if os.environ.get("VORNIKAT_SHOTS") and width in (1024, 375):
            self.driver.execute_script(
                IMPORT_BOXES + '.then((b) => b.showMessage(arguments[0], 64, "Ворникат"))',
                ALL_RIGHT)
            self.save_shot(f"web-verdict-100-{width}.png")

    def test_a_phone_either_way_up_fills_the_width_with_rows_a_finger_can_hit(self):
        self.open_browser()
        shots = os.environ.get("VORNIKAT_SHOTS")
        size = {"deviceScaleFactor": 3, "mobile": True}
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {**size, "width": 375, "height": 667})
        self.start_first_game()
        for width, height, name in [(375, 667, "portrait"), (667, 375, "landscape")]:
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                        {**size, "width": width, "height": height})
            self.wait_for(lambda: self.driver.execute_script("return innerWidth") == width, name)
            main = self.driver.find_element(By.ID, "Main").rect
            self.assertEqual((main["x"], main["width"]), (0, width), name)
            rows = self.driver.execute_script("""
                return [...document.querySelectorAll("#Main .option, #Main .command")].map(e => [
                  e.dataset.control, e.getBoundingClientRect().top,
                  e.getBoundingClientRect().height, parseFloat(getComputedStyle(e).fontSize)]);""")
            for control, _, tall, font in rows:
                self.assertGreaterEqual(tall, 44, (name, control))
                self.assertGreaterEqual(font, 16, (name, control))
            tops = {control: top for control, top, _, _ in rows}
            self.assertLess(tops["Ans1"], tops["Ans5"], name)
            self.assertLess(tops["Ans5"], tops["Nxt"], name)
            if shots:
                os.makedirs(shots, exist_ok=True)
                self.driver.save_screenshot(os.path.join(shots, f"web-phone-{name}.png"))
        # On its side, the next question comes into sight, not left above it.
        self.driver.execute_script("scrollTo(0, document.body.scrollHeight)")
        self.choose(1)
        self.assertGreaterEqual(self.control("LblQ").rect["y"] -
                                self.driver.execute_script("return scrollY"), 0)
        # The About box's icon keeps its size.
        self.control("HelpMe").click()
        self.assertLessEqual(self.control("picIcon").rect["width"], 64)

    def test_screenshots_at_both_pixel_ratios(self):
        shots = os.environ.get("VORNIKAT_SHOTS")
        for scale in (1, 2):
            self.open_browser(scale)
            self.start_first_game()
            main = self.driver.find_element(By.ID, "Main")
            self.assertEqual(main.find_element(By.CSS_SELECTOR, ".client").size,
                             {"width": 425, "height": 272})
            png = main.screenshot_as_png
            width = struct.unpack(">I", png[16:20])[0]
            self.assertGreaterEqual(width, 425 * scale)
            self.control("HelpMe").click()
            help_png = self.driver.find_element(By.ID, "frmHelp").screenshot_as_png
            if shots:
                os.makedirs(shots, exist_ok=True)
                suffix = "" if scale == 1 else "-2x"
                with open(os.path.join(shots, f"web-main{suffix}.png"), "wb") as out:
                    out.write(png)
                with open(os.path.join(shots, f"web-about{suffix}.png"), "wb") as out:
                    out.write(help_png)


if __name__ == "__main__":
    unittest.main()
