"""The web card and the generator's page in the two other engines a friend
may open them in: Firefox ESR (over WebDriver BiDi) and WebKitGTK, the
engine of Safari (a GTK window on a virtual display). One road per engine,
a phone's and a desktop's window: the closed card, a click that starts the
show on the real clock, the finished card with "Rivedi", a typed key that
ends a running show; the card without scripts; and the generator's page
writing each kind, byte for byte the program's. The detailed checks stay
with Chromium; screenshots land in out/browser/, named by engine."""

import os
import tempfile
import time
import unittest
import urllib.parse

from devkit.browsers import firefox
from devkit.browsers import webkit
from tests.browser.test_generator_page import KINDS, PAGE, WHEN, expected
from tests.browser.test_site import GREEK, LoggedSite
from tests.browser.webcard import (GREETING, IMAGE, OUT, PIC_GREEN, TEMPLATE, WRITER, WebCardCase, fill,
                     overlaps)

NAMES = 'Mario e Anna'
SIZES = (('phone', 390, 844), ('desktop', 1280, 800))


class EngineRoad:
    engine = None  # the driver's module

    # The scene's readings, as the Chromium tests take them.
    times = WebCardCase.times
    drawn = WebCardCase.drawn
    box = WebCardCase.box
    census = WebCardCase.census
    card_boxes = WebCardCase.card_boxes

    @classmethod
    def setUpClass(cls):
        for needed in (TEMPLATE, WRITER, IMAGE, PAGE):
            if not os.path.exists(needed):
                raise unittest.SkipTest('%s missing: run tools/build first' % needed)
        missing = cls.engine.available()
        if missing:
            raise unittest.SkipTest('%s (tools/setup installs it)' % missing)
        cls.folder = tempfile.TemporaryDirectory(prefix='engines-')
        cls.downloads = tempfile.mkdtemp(dir=cls.folder.name)
        cls.browser = cls.engine.Browser(cls.downloads)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.folder.cleanup()

    def shot(self, browser, what):
        browser.screenshot(os.path.join(OUT, '%s-%s.png' % (self.engine.NAME, what)))

    def centre(self, selector):
        self.browser.evaluate('document.querySelector(%r).scrollIntoView({block: "nearest"})' % selector)
        box = self.box(self.browser, selector)
        self.assertGreater(box['width'], 0, selector)
        return box['x'] + box['width'] / 2, box['y'] + box['height'] / 2

    def until(self, expression, wanted, timeout=5):
        """Waits for the page to show what input just asked of it: WebKit
        takes input apart from the readings, so one may overtake it."""
        deadline = time.time() + timeout
        while True:
            seen = self.browser.evaluate(expression)
            if seen == wanted or time.time() > deadline:
                self.assertEqual(seen, wanted, expression)
                return
            time.sleep(0.05)

    def green(self):
        return len(self.drawn(self.browser, PIC_GREEN))

    def test_web_card(self):
        page = self.browser
        path = fill(self.folder.name, NAMES)
        for size, width, height in SIZES:
            with self.subTest(size):
                page.open(path, width, height)
                page.wait_for('document.documentElement.classList.contains("closed") && typeof Card !== "undefined" && Card.ready')
                closed = page.evaluate('document.getElementById("closed").innerText')
                self.assertIn('Un biglietto di auguri da', closed)
                self.assertIn(NAMES, closed)
                self.shot(page, 'card-closed-' + size)
                record, at = self.times(page)
                stamps = [op[2:4] for _, op in record if op[0] == 'paint' and op[1] == PIC_GREEN]
                self.assertEqual(len(stamps), 395)

                # A click opens it and the tree grows on the show's own clock
                # (a stamp every 40 ms), whatever the sound does.
                page.click(width / 2, height / 2)
                page.wait_for('!document.documentElement.classList.contains("closed") && Card.showing !== null',
                              timeout=5)
                clicked = time.time()
                while self.green() < 10 and time.time() < clicked + 2:
                    time.sleep(0.05)
                grown = self.drawn(page, PIC_GREEN)
                self.assertGreaterEqual(len(grown), 10, 'the tree did not grow after the click: %s, sound %s' % (
                    page.evaluate('Card.showing'), page.evaluate('Card.sound')))
                self.assertEqual(grown, stamps[:len(grown)])

                # Late in the show: the greeting and the names drawn, red
                # letters over the tree's green on the canvas.
                page.evaluate('Card.freezeAt(%d)' % (at['text'][-1] + 3000))
                texts = [op for op in page.evaluate('Card.drawn') if op[0] == 'text']
                self.assertEqual([op[1] for op in texts], [GREETING, NAMES])
                words = self.census(page, texts[0][2], texts[0][3], page.evaluate('Card.screen.width') - texts[0][2],
                                    texts[1][3] + 40)
                self.assertGreater(words['red'], 1000, words)
                base = self.census(page, stamps[0][0], stamps[0][1], stamps[60][0] + 32, stamps[0][1] + 32)
                self.assertGreater(base['green'], 1000, base)
                self.shot(page, 'card-show-' + size)

                # The end: the finished card stays, "Rivedi" clear of it.
                page.evaluate('Card.freezeAt(%d)' % (at['end'][0] + 2000))
                page.wait_for('document.documentElement.classList.contains("ended") '
                              '&& !document.getAnimations().length')
                self.assertEqual(page.evaluate('document.getElementById("again").innerText'), 'Rivedi')
                again = self.box(page, '#again')
                rivedi = (again['left'], again['top'], again['right'], again['bottom'])
                self.assertTrue(again['width'] > 0 and 0 <= again['top'] and again['right'] <= width, again)
                self.assertEqual([b for b in self.card_boxes(page) if overlaps(b, rivedi)], [])
                self.shot(page, 'card-end-' + size)

                # "Rivedi" plays it again; a key that types ends it at once.
                page.click(*self.centre('#again'))
                page.wait_for('!document.documentElement.classList.contains("ended") && Card.showing.ms > 100',
                              timeout=5)
                self.assertLess(self.green(), 395)
                page.key('a')
                page.wait_for('Card.showing.ended', timeout=5)
                self.assertEqual(self.green(), 395)
                page.wait_for('document.documentElement.classList.contains("ended")', timeout=5)

    def test_the_cards_link(self):
        # From the site, as a friend taps the link in a message: the card
        # names the senders, a click plays it, and the server never sees them.
        site = LoggedSite()
        try:
            page = self.browser
            page.open(site.base + 'biglietto.html#' + urllib.parse.quote(GREEK), 390, 844)
            page.wait_for('document.documentElement.classList.contains("closed")')
            self.assertEqual(page.evaluate('document.querySelector("#closed .from").textContent'), GREEK)
            page.click(195, 422)
            page.wait_for('typeof Card !== "undefined" && Card.showing !== null && Card.drawn.length > 10', timeout=5)
            _, at = self.times(page)
            page.evaluate('Card.freezeAt(%d)' % (at['end'][0] + 2000))
            self.assertEqual([op[1] for op in page.evaluate('Card.drawn') if op[0] == 'text'], [GREETING, GREEK])
            self.shot(page, 'link-end-phone')
            self.assertEqual([r for r in site.log if urllib.parse.quote(GREEK) in r or '#' in r], [])
        finally:
            site.shutdown()
            site.server_close()

    def test_without_scripts(self):
        path = fill(self.folder.name, NAMES)
        browser = self.engine.Browser(self.downloads, scripts=False)
        try:
            for size, width, height in SIZES:
                with self.subTest(size):
                    browser.open(path, width, height)
                    shown = browser.evaluate('''(() => {
                        const box = (s) => JSON.parse(JSON.stringify(
                            document.querySelector(s).getBoundingClientRect()));
                        return {ran: typeof Card !== "undefined", figure: box("#finished svg"), names: box("#names"),
                                closed: box("#closed"), line: box(".open"),
                                text: document.getElementById("names").textContent,
                                greeting: document.querySelector("#finished .greeting").textContent};
                    })()''')
                    self.assertFalse(shown['ran'], 'the page\'s scripts ran')
                    self.assertEqual((shown['text'], shown['greeting']), (NAMES, GREETING))
                    self.assertEqual(shown['closed']['width'], 0)
                    figure = shown['figure']  # the whole picture, as large as the window lets it be
                    self.assertTrue(figure['left'] >= 0 and figure['right'] <= width + 1 and figure['top'] >= 0
                                    and figure['bottom'] <= height + 1, figure)
                    self.assertGreater(figure['width'], 0.95 * min(width, height * 4 / 3), figure)
                    names = shown['names']
                    self.assertTrue(0 < names['top'] and names['bottom'] < height and names['height'] > 20, names)
                    self.assertGreater(shown['line']['height'], 0)
                    self.shot(browser, 'noscript-' + size)
        finally:
            browser.close()

    def type_names(self):
        """Typed key by key into the names' field, as a person would."""
        page = self.browser
        page.wait_for('typeof Page !== "undefined" && Page.ready')
        page.click(*self.centre('#names'))
        page.evaluate('document.getElementById("names").select()')
        for c in NAMES:
            page.key(c)
        self.until('document.getElementById("names").value', NAMES)

    def test_generator_page(self):
        page = self.browser
        page.open(PAGE, 390, 844)
        page.evaluate('Page.now = () => new Date(%d, %d, %d, %d, %d, %d)' % ((WHEN[0], WHEN[1] - 1) + WHEN[2:]))
        self.type_names()
        for kind in ('html', 'exe', 'zip'):
            with self.subTest(kind):
                page.click(*self.centre('#kinds input[value="%s"]' % KINDS[kind]))
                self.until('document.getElementById("final").textContent', 'Vavuri.' + kind)
                page.click(*self.centre('#crea'))
                name, data = page.download()
                self.assertEqual(name, 'Vavuri.' + kind)
                self.assertTrue(data == expected(name, NAMES), 'the %s differs from the program\'s' % name)
                # The page says it is made (its words are the Chromium test's to hold).
                self.until('document.getElementById("status").textContent.startsWith("Il biglietto augurale")', True)
        page.evaluate('(() => { window.scrollTo(0, 0); document.activeElement.blur(); })()')
        self.shot(page, 'generator-phone')

        # The desktop's layout, the preview of the card beside the form.
        page.open(PAGE, 1280, 800)
        self.type_names()
        page.wait_for('!Page.previewing')
        page.evaluate('document.activeElement.blur()')
        time.sleep(0.5)  # the preview's first pictures
        self.shot(page, 'generator-desktop')


class FirefoxTest(EngineRoad, unittest.TestCase):
    engine = firefox


class WebKitTest(EngineRoad, unittest.TestCase):
    engine = webkit


if __name__ == '__main__':
    unittest.main()
