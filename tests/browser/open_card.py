"""Opens a web card from disk in headless Chromium as a recipient would: the
closed card must name the senders, a tap must start the show, and by the end
of the show the greeting and the names must have been drawn. For the
end-to-end test of a page the generator wrote through its window, which runs
under another Python.

    python3 -m tests.browser.open_card PAGE NAMES SCREENSHOT_PREFIX

Exits 0 when all holds, else prints what did not."""

import sys

from devkit.browsers import chromium

GREETING = 'Buon Natale e felice anno nuovo'


def check(page_path, names, shots):
    browser = chromium.Browser()
    try:
        page = browser.new_page()
        page.viewport(1024, 768)
        page.open(page_path)
        page.wait_for('document.documentElement.classList.contains("closed") && typeof Card !== "undefined" && Card.ready')
        closed = page.evaluate('document.getElementById("closed").innerText')
        if names not in closed or 'per aprire' not in closed:
            return 'the closed card reads %r' % closed
        page.screenshot(shots + '-closed.png')

        page.tap(512, 384)
        page.wait_for('!document.documentElement.classList.contains("closed") && Card.showing !== null')
        texts = [ms for ms, op in page.evaluate('Card.record') if op[0] == 'text']
        page.evaluate('Card.freezeAt(%d)' % (texts[-1] + 3000))
        drawn = [op[1] for op in page.evaluate('Card.drawn') if op[0] == 'text']
        page.screenshot(shots + '-show.png')
        if drawn != [GREETING, names]:
            return 'the show wrote %r' % drawn
        return None
    finally:
        browser.close()


if __name__ == '__main__':
    problem = check(sys.argv[1], sys.argv[2], sys.argv[3])
    if problem:
        sys.exit(problem)
