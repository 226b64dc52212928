#!/usr/bin/env python3
"""Figures of the generator's page, dist/Carolux.html, in headless Chromium
opened from disk: its size; the time from its start to the form taking
typing with the CPU slowed 6 times (DevTools' CPU throttling); and, at full
speed, the time from "Crea biglietto augurale" to the card handed to the
download, for each kind and a 70-character name. Medians of several rounds.
Runs under Debian's Python, which has the DevTools client.

    /usr/bin/python3 tools/bench_page.py [ROUNDS]"""

import os
import statistics
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "browser"))
import chromium  # noqa: E402

PAGE = os.path.join(ROOT, "dist", "Carolux.html")
PAGE_BYTES = 192 * 1024  # at most
READY_MS = 1000          # ready for typing, CPU slowed 6 times, at most
WRITE_MS = 100           # each kind, from Crea to the download, at most
NAMES = ("Mario e Anna, Giulia, Paolo e Francesca, Luca, Sara e i nonni Pietro " * 2)[:70]

# Times one press of Crea: from the click to the file handed to the download.
TIME_CREA = """new Promise((resolve) => {
  const handOut = URL.createObjectURL;
  const start = performance.now();
  URL.createObjectURL = (blob) => {
    const url = handOut.call(URL, blob);
    if (blob instanceof File) {
      URL.createObjectURL = handOut;
      resolve(performance.now() - start);
    }
    return url;
  };
  document.getElementById("crea").click();
})"""


def ready_ms(browser, rounds):
    times = []
    for _ in range(rounds):
        page = browser.new_page()
        page.send("Emulation.setCPUThrottlingRate", {"rate": 6})
        page.open(PAGE)
        page.wait_for("typeof Page !== 'undefined' && Page.ready", 30)
        times.append(page.evaluate("Page.readyAt"))
    return statistics.median(times)


def write_ms(browser, rounds):
    page = browser.new_page()
    browser.send("Browser.setDownloadBehavior", {"behavior": "deny"})
    page.open(PAGE)
    page.wait_for("Page.ready")
    page.evaluate("(() => { const n = document.getElementById('names'); n.value = %r; "
                  "n.dispatchEvent(new Event('input')); })()" % NAMES)
    figures = {}
    for kind, value in (("exe", 1), ("zip", 2), ("html", 3)):
        page.evaluate("document.querySelector('#kinds input[value=\"%d\"]').click()" % value)
        figures[kind] = statistics.median(page.evaluate(TIME_CREA) for _ in range(rounds))
    return figures


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    size = os.path.getsize(PAGE)
    browser = chromium.Browser()
    try:
        ready = ready_ms(browser, rounds)
        writes = write_ms(browser, rounds)
    finally:
        browser.close()

    def line(label, value, target, missed):
        print("%-52s%18s   target: %s" % (label, value + (" MISS" if missed else ""), target))

    print("generator's page, dist/Carolux.html (headless Chromium)")
    line("page size (bytes)", "%d" % size, "at most %d" % PAGE_BYTES, size > PAGE_BYTES)
    line("ready for typing, CPU slowed 6x (ms, median)", "%.0f" % ready, "at most %d" % READY_MS, ready > READY_MS)
    for kind, ms in writes.items():
        line("Crea to download, .%s, 70-character name (ms)" % kind, "%.1f" % ms, "at most %d" % WRITE_MS,
             ms > WRITE_MS)


if __name__ == "__main__":
    main()
