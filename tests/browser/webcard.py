"""What the web card's browser tests share: pages filled by the generator's
own writing code (card_write) from the 32-bit build's template, opened from disk
in one headless Chromium per test class, and readings of what they show.
Screenshots land in out/browser/."""

import json
import os
import subprocess
import tempfile
import unittest

from cmake.card_resources import pictures
from devkit.browsers import chromium

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
TEMPLATE = os.path.join(ROOT, 'build', 'host', 'web', 'card-template.html')
WRITER = os.path.join(ROOT, 'build', 'host', 'card_write')
IMAGE = os.path.join(ROOT, 'dist', 'Nevalto.exe')
TUNE = os.path.join(ROOT, 'assets', 'player', 'tune.mid')
OUT = os.path.join(ROOT, 'out', 'browser')

REF_W, REF_H = 800, 600
# The scene's picture numbers, as the card's header lists the pictures.
_PICTURE = {name: number for number, (name, _, _) in enumerate(pictures())}
PIC_GREEN, PIC_RED, IMG_STAR0, IMG_STAR1, IMG_NEVE = (
    _PICTURE[n] for n in ('picGreen', 'picRed', 'imgStar0', 'imgStar1', 'imgNeve'))
GREETING = 'Buon Natale e felice anno nuovo'
# Every sound the page starts, kept in window.started as [kind, when due on
# the audio clock].
SOUNDS_STARTED = '''(() => {
    window.started = [];
    for (const [kind, type] of [["chime", AudioBufferSourceNode], ["note", OscillatorNode]]) {
        const start = type.prototype.start;
        type.prototype.start = function (when = 0, ...rest) {
            started.push([kind, when]);
            return start.call(this, when, ...rest);
        };
    }
})();'''
# What a card for many friends says: the senders' field full.
SEVENTY = 'Mario e Anna, Giulia, Luca e Sofia, i nonni Piero e Carla e zia Teresa'


def fill(folder, names):
    path = os.path.join(folder, 'Auguri-%d.html' % abs(hash(names)))
    subprocess.run([WRITER, IMAGE, TEMPLATE, path, names, '0', path], check=True)
    return path


class WebCardCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for needed in (TEMPLATE, WRITER):
            if not os.path.exists(needed):
                raise unittest.SkipTest('%s missing: run tools/build first' % needed)
        cls.folder = tempfile.TemporaryDirectory(prefix='webcard-pages-')
        cls.browser = chromium.Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.folder.cleanup()

    def open_card(self, names, width=1024, height=768, ratio=1, mobile=False, window=False, before=None):
        """The card, closed and ready for the tap; in a window of its own with
        window, and with the script before run ahead of the page's own."""
        page = self.browser.new_page(window)
        if before:
            page.send('Page.addScriptToEvaluateOnNewDocument', {'source': before})
        page.viewport(width, height, ratio, mobile)
        page.open(fill(self.folder.name, names))
        page.wait_for('document.documentElement.classList.contains("closed") && typeof Card !== "undefined" && Card.ready')
        return page

    def times(self, page):
        """The record, and when it has its chimes, texts and end, in ms."""
        record = page.evaluate('Card.record')
        at = {}
        for ms, op in record:
            at.setdefault(op[0], []).append(ms)
        return record, at

    def tap_middle(self, page, width=1024, height=768):
        page.tap(width / 2, height / 2)
        page.wait_for('!document.documentElement.classList.contains("closed") && Card.showing !== null')

    def drawn(self, page, which):
        return [op[2:4] for op in page.evaluate('Card.drawn') if op[0] == 'paint' and op[1] == which]

    def box(self, page, selector):
        return page.evaluate('JSON.parse(JSON.stringify(document.querySelector(%s).getBoundingClientRect()))'
                             % json.dumps(selector))

    def to_window(self, page, x, y):
        """A point of the scene's screen in CSS pixels of the window."""
        s = page.evaluate('Card.screen')
        return s['left'] + x * s['scale'], s['top'] + y * s['scale']

    def pixel(self, page, x, y):
        """RGBA of the show's canvas at a point of the scene's screen."""
        return page.evaluate('(() => { const c = document.getElementById("show"), r = devicePixelRatio, '
                             's = Card.screen; return Array.from(c.getContext("2d").getImageData('
                             'Math.floor(r * (s.left + %f * s.scale)), Math.floor(r * (s.top + %f * s.scale)), 1, 1)'
                             '.data); })()' % (x, y))

    def census(self, page, left, top, right, bottom, changed=False):
        """How many canvas pixels in a rectangle of the scene's screen are
        the letters' red, the tree's green, or near black; with changed, only
        those that changed since the last keep()."""
        return page.evaluate('''((changed) => {
            const c = document.getElementById("show"), r = devicePixelRatio, s = Card.screen;
            const x = Math.max(0, Math.floor(r * (s.left + %f * s.scale))), y = Math.max(0, Math.floor(r * (s.top + %f * s.scale)));
            const w = Math.min(c.width - x, Math.ceil(r * (%f - %f) * s.scale)), h = Math.min(c.height - y, Math.ceil(r * (%f - %f) * s.scale));
            const d = c.getContext("2d").getImageData(x, y, w, h).data, n = {red: 0, green: 0, dark: 0};
            const kept = changed && window.kept.data;
            const at = (i) => 4 * (c.width * (y + Math.floor(i / 4 / w)) + x + (i / 4) %% w);
            for (let i = 0; i < d.length; i += 4) {
                if (d[i + 3] < 200) continue;
                if (kept && [0, 1, 2, 3].every((k) => kept[at(i) + k] === d[i + k])) continue;
                if (d[i] > 180 && d[i + 1] < 80 && d[i + 2] < 80) n.red++;
                else if (d[i + 1] > 90 && d[i] < 80 && d[i + 2] < 80) n.green++;
                else if (d[i] < 60 && d[i + 1] < 60 && d[i + 2] < 60) n.dark++;
            }
            return n;
        })(%s)''' % (left, top, right, left, bottom, top, 'true' if changed else 'false'))

    def keep(self, page):
        """Keeps the canvas as it is, for census(changed=True)."""
        page.evaluate('(() => { const c = document.getElementById("show"); '
                      'window.kept = c.getContext("2d").getImageData(0, 0, c.width, c.height); })()')

    def card_boxes(self, page):
        """Where the card itself is, in CSS pixels: every picture but the
        flakes, the credit line and the words (centred, so as wide as the
        screen less twice their left)."""
        s = page.evaluate('Card.screen')
        boxes = []
        for op in page.evaluate('Card.drawn'):
            if op[0] == 'paint' and op[1] != IMG_NEVE:
                size = 48 if op[1] in (IMG_STAR0, IMG_STAR1) else 32
                boxes.append((op[2], op[3], op[2] + size, op[3] + size))
            elif op[0] == 'label':
                boxes.append((op[2], op[3], op[2] + op[4], op[3] + 17))
            elif op[0] == 'text':
                lines = 2 if op[5] else 1
                boxes.append((op[2], op[3], s['width'] - op[2], op[3] + lines * 1.15 * op[4] * 4 / 3 + 3))
        return [(s['left'] + a * s['scale'], s['top'] + b * s['scale'], s['left'] + c * s['scale'],
                 s['top'] + d * s['scale']) for a, b, c, d in boxes]


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
