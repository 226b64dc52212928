"""Draws the link previews' picture, anteprima.jpg (1200 x 630, as
messengers show a link's picture): the site's card page, with no names,
played to its finished card in headless Chromium, so the picture is the
card's own scene, drawn by its own code. Run after tools/build, which
makes the page; the picture is committed, so a build needs no browser.

    /usr/bin/python3 -m assets.site.make_preview [CARD_PAGE]
"""

import base64
import os
import sys

from devkit.browsers import chromium

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, '..', '..'))

WIDTH, HEIGHT = 1200, 630
QUALITY = 88  # JPEG: the sky's gradient as PNG is several times larger


def draw(card_page, out):
    browser = chromium.Browser()
    try:
        page = browser.new_page()
        page.viewport(WIDTH, HEIGHT)
        page.open(card_page)
        page.wait_for('document.documentElement.classList.contains("closed")')
        page.evaluate('document.getElementById("closed").click()')
        page.wait_for('Card.showing !== null')
        end = max(ms for ms, op in page.evaluate('Card.record') if op[0] == 'end')
        # Up to the end first, so that the snow has fallen, then the end.
        page.evaluate('Card.freezeAt(%d)' % (end - 1))
        page.evaluate('Card.freezeAt(%d)' % (end + 1000))
        # The finished card alone: no button to press on a picture.
        page.evaluate('document.getElementById("again").style.visibility = "hidden"')
        page.evaluate('new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))')
        data = page.send('Page.captureScreenshot', {'format': 'jpeg', 'quality': QUALITY})['data']
        with open(out, 'wb') as f:
            f.write(base64.b64decode(data))
    finally:
        browser.close()


if __name__ == '__main__':
    draw(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'host', 'web', 'biglietto.html'),
         os.path.join(HERE, 'anteprima.jpg'))
