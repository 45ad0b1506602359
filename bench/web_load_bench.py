# SPDX-License-Identifier: MIT
"""Page load to the greeting box on screen, served from 127.0.0.1, in headless Chromium.

Usage: web_load_bench.py SITE [RUNS]. Each run navigates afresh with the browser's cache off
and times, on the page's own clock, from the start of the navigation to the moment the
greeting box is open; prints every run, the median, the time to the greeting of one more visit
with the server stopped (the page's service worker serves it), and the page's size compressed
with gzip.
"""
import functools
import gzip
import http.server
import os
import shutil
import statistics
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Set on every new document, before the page's own scripts: the time the first box opens.
WATCH_GREETING = """
new MutationObserver((changes, observer) => {
  if (document.querySelector("dialog[open]")) {
    window.__greetingAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {subtree: true, childList: true, attributes: true});
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def wait_for_greeting(driver):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        at = driver.execute_script("return window.__greetingAt ?? null")
        if at is not None:
            return at
        time.sleep(0.01)
    sys.exit("the greeting box never opened")


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/"

    profile = tempfile.mkdtemp(prefix="vornikat-bench-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH_GREETING})
        times = []
        for run in range(runs):
            driver.get("about:blank")
            driver.get(url)
            at = wait_for_greeting(driver)
            times.append(at)
            print(f"run {run + 1}: {at:.1f} ms to the greeting box")
        print(f"median of {runs}: {statistics.median(times):.1f} ms")
        # The visits above left the page with its service worker: with the server gone, it plays.
        server.shutdown()
        server.server_close()
        driver.get("about:blank")
        driver.get(url)
        print(f"with the server stopped: {wait_for_greeting(driver):.1f} ms to the greeting box")
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(profile, True)

    # Every file of the page, the bank aside.
    sizes = {}
    for folder, _, names in os.walk(site):
        for name in sorted(names):
            if name != "data.bin":
                with open(os.path.join(folder, name), "rb") as data:
                    sizes[name] = len(gzip.compress(data.read(), 9))
    listed = ", ".join(f"{name} {size / 1024:.1f}" for name, size in sizes.items())
    print(f"gzip-compressed: {listed}; together {sum(sizes.values()) / 1024:.1f} KiB")


if __name__ == "__main__":
    main()
