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
        # The sound's decoding finishes on the page's clock too.
        self.driver.execute_cdp_cmd("Emulation.setVirtualTimePolicy",
                                    {"policy": "advance", "budget": 500})
        self.wait_for(lambda: self.sounds() == [SOUND_102_MS], "the wrong answer's sound")

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

    def test_the_page_installs_and_a_second_visit_plays_without_the_server(self):
        self.open_browser()
        self.driver.get(self.url)
        self.wait_for(self.box, "the greeting")
        self.wait_for(lambda: self.driver.execute_script(
            "return navigator.serviceWorker.controller !== null"), "the page kept offline")
        self.assertEqual(self.driver.execute_cdp_cmd(
            "Page.getInstallabilityErrors", {})["installabilityErrors"], [])
        self.server.shutdown()
        self.server.server_close()
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

    def test_the_about_box_finds_no_tool_and_closes_by_its_keys(self):
        self.open_browser()
        self.start_first_game()
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
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        named = {(n.get("role", {}).get("value"), n.get("name", {}).get("value"))
                 for n in nodes if not n.get("ignored")}
        for expected in [("status", "Счётчик правильных ответов"),
                         ("timer", "Время, отведённое на ответ"),
                         ("group", "Варианты ответов"), ("radio", "Ответ 1.3"),
                         ("button", "Дальше")]:
            self.assertIn(expected, named)
        self.assertEqual(self.control("LblQ").get_attribute("aria-live"), "polite")

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
            self.assertEqual(self.caption("Ans1"), "Ответ 1.1")
            if shots:
                os.makedirs(shots, exist_ok=True)
                self.driver.save_screenshot(os.path.join(shots, f"web-phone-{name}.png"))

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
