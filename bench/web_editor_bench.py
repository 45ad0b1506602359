# SPDX-License-Identifier: MIT
"""The bank editor's page on the largest bank, served from 127.0.0.1, in headless Chromium.

Usage: web_editor_bench.py SITE [RUNS]. The bank is a data.bin of 32,767 questions (the most a
bank holds), dropped on the page as an author would. Prints, on the page's own clock:
- each run's opening, from the drop to the first question in the form and the preview (the
  file read, the bank decoded and checked as far as the page waits for it, list and form
  drawn), and the median;
- each keystroke in the question's field, from the key's event to its text in the preview's
  question label, over RUNS * 10 keystrokes typed while the bank-wide check runs, the median
  and the slowest;
- the time the draft's image of that bank takes to make, which the page spends a moment after
  the author stops typing, to keep the draft in the browser.
"""
import functools
import http.server
import os
import shutil
import statistics
import struct
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

QUESTIONS = 32767

# Fetches the bank before the clock starts, then drops it and waits for the form to show it.
OPEN_BANK = """
const done = arguments[arguments.length - 1];
const bytes = new Uint8Array(await (await fetch("big.bin")).arrayBuffer());
const file = new File([bytes], "big.bin");
const field = document.getElementById("field-0");
field.value = "";
const drop = new DataTransfer();
drop.items.add(file);
const start = performance.now();
document.body.dispatchEvent(new DragEvent("drop", {dataTransfer: drop, bubbles: true,
                                                   cancelable: true}));
const label = () => document.querySelector('#preview [data-control="LblQ"]').textContent;
const shown = () => new Promise((resolve) => {
  const look = () => field.value === "Вопрос 1" && label() === "Вопрос 1" ?
      resolve(performance.now()) : setTimeout(look, 1);
  look();
});
done((await shown()) - start);
"""

# Times each keystroke in the question's field until its text is in the preview's label.
WATCH_KEYS = """
window.__keys = [];
const label = document.querySelector('#preview [data-control="LblQ"]');
let pressed = 0;
document.addEventListener("keydown", (event) => { pressed = event.timeStamp; }, {capture: true});
new MutationObserver(() => {
  if (pressed !== 0) {
    window.__keys.push(performance.now() - pressed);
    pressed = 0;
  }
}).observe(label, {subtree: true, childList: true, characterData: true});
"""

IMAGE_DRAFT = """
const done = arguments[arguments.length - 1];
import(new URL("editor_boundary.js", document.querySelector("script[type=module]").src).href)
  .then((core) => {
    const start = performance.now();
    const image = core.draftImage();
    done([performance.now() - start, image.length]);
  });
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def encode_text(text, factor):
    codes = text.encode("cp1251")
    return struct.pack("<h", len(codes) - 1) + struct.pack(
        f"<{len(codes) + 1}h", 0, *(c * factor for c in codes))


def make_bank(count):
    """count questions in the quiz's data.bin form, each with five options and a right one."""
    questions = [(f"Вопрос {n}", [f"Ответ {n}.{k}" for k in range(1, 6)], n % 5 + 1)
                 for n in range(1, count + 1)]
    out = struct.pack("<h", count - 1)
    out += b"".join(encode_text(q, 106) for q, _, _ in questions)
    for k in range(5):
        out += b"".join(encode_text(options[k], 4) for _, options, _ in questions)
    return out + b"".join(struct.pack("<h", right * 78) for _, _, right in questions)


def wait_until(driver, script, what, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if driver.execute_script(script):
            return
        time.sleep(0.02)
    sys.exit(f"waited in vain for {what}")


def main():
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    site = tempfile.mkdtemp(prefix="vornikat-editor-bench-")
    profile = tempfile.mkdtemp(prefix="vornikat-bench-")
    shutil.copytree(sys.argv[1], site, dirs_exist_ok=True)
    with open(os.path.join(site, "big.bin"), "wb") as out:
        out.write(make_bank(QUESTIONS))
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/editor.html"

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--window-size=1366,768", f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(60)
    try:
        driver.get(url)
        wait_until(driver, "return document.body.dataset.ready === 'true'", "the editor")
        openings = []
        for run in range(runs):
            took = driver.execute_async_script(f"(async () => {{ {OPEN_BANK} }})();")
            openings.append(took)
            print(f"run {run + 1}: {took:.1f} ms to open {QUESTIONS} questions")
        print(f"opening, median of {runs}: {statistics.median(openings):.1f} ms")

        driver.execute_script(WATCH_KEYS)
        field = driver.find_element(By.ID, "field-0")
        field.click()
        for key in ("абвгдежзий" * runs)[:runs * 10]:
            field.send_keys(key)
            time.sleep(0.05)
        keys = driver.execute_script("return window.__keys")
        if len(keys) != runs * 10:
            sys.exit(f"{len(keys)} of {runs * 10} keystrokes reached the preview")
        print(f"keystroke to the preview, {len(keys)} keys: median {statistics.median(keys):.2f} ms,"
              f" slowest {max(keys):.2f} ms")
        image = driver.execute_async_script(IMAGE_DRAFT)
        print(f"the draft's image: {image[1] / 1e6:.1f} MB made in {image[0]:.1f} ms")
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(profile, True)
        shutil.rmtree(site, True)


if __name__ == "__main__":
    main()
