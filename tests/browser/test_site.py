"""The site, dist/site/, served from a subfolder of a local web server that
logs every request, in headless Chromium: the generator's page gives the
card's link for the names as typed, the link opens the card that names them
and plays it, bad links open a card all the same, and no request carries the
names. Also the links' preview tags, with and without the site's address."""

import http.server
import json
import os
import struct
import subprocess
import sys
import tempfile
import threading
import unittest
import urllib.parse

from devkit.browsers import chromium
from tests.browser.webcard import GREETING, OUT, ROOT, TEMPLATE, WRITER, IMAGE

SITE = os.path.join(ROOT, 'dist', 'site')
WEB_BUILD = os.path.join(ROOT, 'build', 'host', 'web')
FOLDER = '/auguri/'
GREEK = '\u0395\u03bb\u03ad\u03bd\u03b7 <b>&amp; "\u039d\u03af\u03ba\u03bf\u03c2"</b>'
# A share sheet that records what it was given.
SHARE_SHEET = 'navigator.share = async (data) => { window.shared = data; };'


class LoggedSite(http.server.ThreadingHTTPServer):
    """dist/site/ under FOLDER, on 127.0.0.1; every request's line and
    headers kept."""

    def __init__(self):
        self.log = []
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *a, **k):
                super().__init__(*a, directory=SITE, **k)

            def translate_path(self, path):
                return super().translate_path('/' + path[len(FOLDER):] if path.startswith(FOLDER) else '/-')

            def do_GET(self):
                site.log.append(self.requestline + '\n' + str(self.headers))
                super().do_GET()

            def log_message(self, *args):
                pass

        super().__init__(('127.0.0.1', 0), Handler)
        self.base = 'http://127.0.0.1:%d%s' % (self.server_address[1], FOLDER)
        threading.Thread(target=self.serve_forever, daemon=True).start()


def jpeg_size(path):
    with open(path, 'rb') as f:
        data = f.read()
    at = 2
    while at < len(data):
        marker, length = data[at + 1], struct.unpack('>H', data[at + 2:at + 4])[0]
        if 0xC0 <= marker <= 0xC2:
            height, width = struct.unpack('>HH', data[at + 5:at + 9])
            return width, height, len(data)
        at += 2 + length
    raise AssertionError('no frame in %s' % path)


class SiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for needed in (os.path.join(SITE, 'index.html'), os.path.join(SITE, 'biglietto.html'), WRITER):
            if not os.path.exists(needed):
                raise unittest.SkipTest('%s missing: run tools/build first' % needed)
        cls.site = LoggedSite()
        cls.browser = chromium.Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.site.shutdown()
        cls.site.server_close()

    def errors(self, page):
        return page.events('Runtime.exceptionThrown') + [e for e in page.events('Log.entryAdded')
                                                         if e['entry']['level'] == 'error']

    def open_card(self, link):
        page = self.browser.new_page()
        page.viewport(390, 844, 3, True)
        page.open(link)
        page.wait_for('document.documentElement.classList.contains("closed") && typeof Card !== "undefined" && Card.ready')
        return page

    def test_the_link_from_the_page_plays_the_card_and_no_request_holds_the_names(self):
        page = self.browser.new_page()
        page.send('Page.addScriptToEvaluateOnNewDocument', {'source': SHARE_SHEET})
        page.viewport(390, 844, 3, True)
        page.open(self.site.base)
        page.wait_for('typeof Page !== "undefined" && Page.ready')
        self.assertEqual(page.evaluate('document.querySelector("#kinds input:checked").value'), '0',
                         'the link is the first choice')
        self.assertTrue(page.evaluate('document.getElementById("no-link").hidden'))
        links = {}
        for names in ('Mario e Anna', GREEK):
            page.evaluate('document.getElementById("names").select()')
            page.send('Input.insertText', {'text': names})
            links[names] = page.evaluate('document.getElementById("link").value')
            if names == 'Mario e Anna':
                page.evaluate('document.activeElement.blur()')
                page.screenshot(os.path.join(OUT, 'site-generator-phone.png'))
        self.assertEqual(links['Mario e Anna'], self.site.base + 'biglietto.html#Mario%20e%20Anna')
        page.evaluate('document.getElementById("share").click()')
        page.wait_for('Boolean(window.shared)')
        self.assertEqual(page.evaluate('window.shared'),
                         {'url': links[GREEK], 'text': 'Un biglietto di auguri da ' + GREEK})
        page.evaluate('document.getElementById("copy").click()')
        page.wait_for('document.getElementById("status").textContent.startsWith("Link copiato")')

        for names, link in links.items():
            card = self.open_card(link)
            shown = card.evaluate('[document.querySelector("#closed .from").textContent, document.title, '
                                  'document.querySelectorAll("#closed b").length]')
            self.assertEqual(shown, [names, 'Un biglietto di auguri da ' + names, 0])
            card.tap(195, 422)
            card.wait_for('Card.showing !== null')
            end = max(ms for ms, op in card.evaluate('Card.record') if op[0] == 'end')
            card.evaluate('Card.freezeAt(%d)' % (end + 1000))
            self.assertEqual([op[1] for op in card.evaluate('Card.drawn') if op[0] == 'text'], [GREETING, names])
            card.wait_for('document.documentElement.classList.contains("ended")')
            self.assertEqual(self.errors(card), [])
        card.screenshot(os.path.join(OUT, 'site-card-end-phone.png'))
        self.assertEqual(self.errors(page), [])

        # The server saw pages, never names nor a fragment, and nothing else.
        for names in links:
            for form in (names, urllib.parse.quote(names), 'Mario', '#'):
                self.assertEqual([r for r in self.site.log if form in r], [], form)
        asked = {r.split()[1] for r in self.site.log}
        self.assertLessEqual(asked, {FOLDER, FOLDER + 'biglietto.html', '/favicon.ico'})

    def test_bad_links_open_a_card_all_the_same(self):
        base = self.site.base + 'biglietto.html'
        markup = '<img src=x onerror="pwned=1"><b>Zia</b>'
        many = '\U0001F384' * 20 + 'a' * 180
        for fragment, names in (('#' + urllib.parse.quote(markup), markup), ('#' + urllib.parse.quote(many), None),
                                ('#%E0%A4%A', ''), ('#%00', ''), ('#', ''), ('', '')):
            with self.subTest(fragment=fragment[:20]):
                card = self.open_card(base + fragment)
                shown = card.evaluate('[document.querySelector("#closed .from").textContent, '
                                      'document.querySelector("#closed .card p").textContent, '
                                      'document.querySelectorAll("#closed img, #closed b").length, '
                                      'typeof pwned]')
                if names is None:  # seventy units of whole characters: twenty trees, thirty letters
                    self.assertEqual(shown[0], '\U0001F384' * 20 + 'a' * 30)
                else:
                    self.assertEqual(shown[0], names)
                self.assertEqual(shown[1], 'Un biglietto di auguri da' if names != '' else 'Un biglietto di auguri')
                self.assertEqual(shown[2:], [0, 'undefined'])
                self.assertEqual(self.errors(card), [])

    def test_preview_tags_and_picture_and_the_page_from_disk(self):
        width, height, size = jpeg_size(os.path.join(SITE, 'anteprima.jpg'))
        self.assertEqual((width, height), (1200, 630))
        self.assertLessEqual(size, 300 * 1024)

        def tags(path):
            with open(path, encoding='utf-8') as f:
                head = f.read().split('</head>')[0]
            return dict(re.findall(r'<meta property="([^"]+)" content="([^"]*)">', head))

        import re
        here = tags(os.path.join(SITE, 'biglietto.html'))
        self.assertEqual(here['og:image'], 'anteprima.jpg', 'built without an address: a relative picture')
        self.assertEqual((here['og:image:width'], here['og:image:height'], here['og:type']), ('1200', '630', 'website'))
        self.assertTrue(here['og:title'] and here['og:description'])

        # Built for an address: the tags point there, and a card written as a
        # file links from its picture without scripts to its page on the site.
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run([sys.executable, '-m', 'cmake.assemble_page', 'card',
                            '--web', os.path.join(ROOT, 'web'), '--assets', os.path.join(ROOT, 'assets', 'player'),
                            '--texts', os.path.join(ROOT, 'player', 'CardTexts.h'),
                            '--look', os.path.join(ROOT, 'player', 'CardLook.h'),
                            '--wasm', os.path.join(WEB_BUILD, 'scene.wasm'),
                            '--finished', os.path.join(WEB_BUILD, 'finished.txt'),
                            '--out', os.path.join(folder, 'template.html'),
                            '--site-page', os.path.join(folder, 'biglietto.html'),
                            '--site-url', 'https://example.org/auguri'], cwd=ROOT, check=True)
            there = tags(os.path.join(folder, 'biglietto.html'))
            self.assertEqual(there['og:image'], 'https://example.org/auguri/anteprima.jpg')
            self.assertEqual(there['og:url'], 'https://example.org/auguri/biglietto.html')
            card = os.path.join(folder, 'Auguri.html')
            subprocess.run([WRITER, IMAGE, os.path.join(folder, 'template.html'), card, 'Mario e Anna', '0', card],
                           check=True)
            with open(card, encoding='utf-8') as f:
                self.assertIn('<a href="https://example.org/auguri/biglietto.html#Mario%20e%20Anna">', f.read())
        with open(TEMPLATE, encoding='utf-8') as f:
            self.assertNotIn('biglietto.html', f.read(), 'without an address, no link')

        # From disk the page offers no link, and says why.
        page = self.browser.new_page()
        page.open(os.path.join(SITE, 'index.html'))
        page.wait_for('Page.ready')
        self.assertEqual(page.evaluate('[document.getElementById("link-kind").hidden, '
                                       'document.getElementById("no-link").hidden, '
                                       'document.querySelector("#kinds input:checked").value]'), [True, False, '3'])


if __name__ == '__main__':
    unittest.main()
