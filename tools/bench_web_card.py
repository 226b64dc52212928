"""Figures of the web card in headless Chromium, as a phone opens it from
disk (390 x 844 CSS pixels, 3 device pixels to one, a finger) with the CPU
slowed 6 times: its size beside the card program's; the time from the
page's start to the first frame that shows the closed card; and the time
from the tap to the first frame of the show. Medians of several rounds, each
in a fresh tab. Runs under Debian's Python, which has the DevTools client.

    /usr/bin/python3 -m tools.bench_web_card [ROUNDS]"""

import os
import statistics
import subprocess
import sys
import tempfile

from devkit.browsers import chromium

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))

TEMPLATE = os.path.join(ROOT, "build", "host", "web", "card-template.html")
WRITER = os.path.join(ROOT, "build", "host", "card_write")
PLAYER = os.path.join(ROOT, "dist", "Nevalto.exe")
WEB_CARD_BYTES = 36 * 1024  # at most, and below the card program
# No later than the card before its parts were packed, measured here in
# this way: 396 to 415 ms to its closed card, 80 to 104 ms to the tap's
# first frame, which then waited for the audio context.
CLOSED_MS = 396
FRAME_MS = 80

# Stamps, on the page's own clock, the first frame after the closed card
# appears (a message posted from that frame's callback is handled once the
# frame is rendered), and takes the browser's own measure of the tap: from
# the click to the next frame painted (Event Timing, in steps of 8 ms).
WATCH = """(() => {
  window.bench = {};
  new MutationObserver((changes, observer) => {
    if (!document.documentElement.classList.contains("closed")) return;
    observer.disconnect();
    requestAnimationFrame(() => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => { bench.closedShown = performance.now(); };
      channel.port2.postMessage(0);
    });
  }).observe(document, {subtree: true, attributeFilter: ["class"]});
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) if (entry.name === "click") bench.tapToFrame = entry.duration;
  }).observe({type: "event", durationThreshold: 16});
  // The browser reports only frames 16 ms or more after their input: none
  // within a second means sooner, and counts as 16.
  addEventListener("click", () => setTimeout(() => {
    if (bench.tapToFrame === undefined) bench.tapToFrame = 16;
  }, 1000), {capture: true, once: true});
})();"""

# The show's record made and its pictures decoded: the tap can open it.
READY = "typeof Card !== 'undefined' && Card.ready"


def card_page(folder):
    path = os.path.join(folder, "Auguri.html")
    subprocess.run([WRITER, PLAYER, TEMPLATE, path, "Mario e Anna", "0", path], check=True)
    return path


def times(browser, path, rounds):
    closed, tap = [], []
    for _ in range(rounds):
        page = browser.new_page()
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH})
        page.viewport(390, 844, 3, True)
        page.send("Emulation.setCPUThrottlingRate", {"rate": 6})
        page.open(path)
        page.wait_for(READY + " && bench.closedShown !== undefined", 60)
        closed.append(page.evaluate("bench.closedShown"))
        page.tap(195, 422)
        page.wait_for("bench.tapToFrame !== undefined", 30)
        tap.append(page.evaluate("bench.tapToFrame"))
        page.send("Emulation.setCPUThrottlingRate", {"rate": 1})
        browser.send("Target.closeTarget", {"targetId": page.target})
    return statistics.median(closed), statistics.median(tap)


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    card_bytes = os.path.getsize(PLAYER)
    with tempfile.TemporaryDirectory(prefix="bench-web-card-") as folder:
        path = card_page(folder)
        size = os.path.getsize(path)
        browser = chromium.Browser()
        try:
            closed, tap = times(browser, path, rounds)
        finally:
            browser.close()

    def line(label, value, target, missed):
        print("%-52s%18s   target: %s" % (label, value + (" MISS" if missed else ""), target))

    print("web card, a card page for 'Mario e Anna' (headless Chromium, 390 x 844 at 3x, CPU slowed 6x)")
    line("web card size (bytes)", "%d" % size, "at most %d, below the card's %d" % (WEB_CARD_BYTES, card_bytes),
         size > WEB_CARD_BYTES or size >= card_bytes)
    line("page start to the closed card shown (ms, median)", "%.0f" % closed, "at most %d" % CLOSED_MS,
         closed > CLOSED_MS)
    line("tap to the show's first frame painted (ms, median)", "%.0f" % tap, "at most %d" % FRAME_MS, tap > FRAME_MS)


if __name__ == "__main__":
    main()
