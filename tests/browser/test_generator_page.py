"""The generator's page, dist/Carolux.html, opened from disk in headless
Chromium as a sender on a phone would: names typed, each kind chosen, "Crea"
pressed with Enter, and the download captured and held byte for byte against
the same writing code built for this machine (card_write, which the
end-to-end test holds against Carolux.exe). Screenshots land in out/browser/."""

import base64
import json
import os
import subprocess
import tempfile
import time
import unittest

from devkit.browsers import chromium

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
PAGE = os.path.join(ROOT, 'dist', 'Carolux.html')
IMAGE = os.path.join(ROOT, 'dist', 'Nevalto.exe')
TEMPLATE = os.path.join(ROOT, 'build', 'host', 'web', 'card-template.html')
WRITER = os.path.join(ROOT, 'build', 'host', 'card_write')
OUT = os.path.join(ROOT, 'out', 'browser')

LATIN, GREEK = 'Mario e Anna', '\u0395\u03bb\u03ad\u03bd\u03b7 <& "\u039d\u03af\u03ba\u03bf\u03c2">'
# The moment a zipped card is dated with, fixed in the page for the test.
WHEN = (2026, 12, 24, 18, 30, 42)
DOS_WHEN = (WHEN[0] - 1980) << 25 | WHEN[1] << 21 | WHEN[2] << 16 | WHEN[3] << 11 | WHEN[4] << 5 | WHEN[5] // 2
KINDS = {'exe': '1', 'zip': '2', 'html': '3'}
HANDED = 'Il biglietto augurale \u00e8 pronto: il browser lo scarica come %s.'
# Typed file names the browser would change or refuse, by kind: the name
# shown must be the name saved (the host tests hold the rule's every row).
AWKWARD = [('..', 'exe'), ('..', 'html'), ('.Auguri', 'html'), ('a/b', 'html'), ('a\\b', 'zip'),
           ('x:y*?<>|', 'html'), ('CON', 'exe'), ('aux', 'zip'), ('a' * 300, 'exe'), ('\U0001F384' * 63, 'html')]
# A share sheet that takes web pages only, as phones' browsers do.
SHARE_SHEET = '''
navigator.canShare = (data) => data.files.every((file) => file.name.endsWith(".html"));
navigator.share = async (data) => { window.shared = data.files[0]; };'''


def expected(file_name, names):
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, 'card')
        subprocess.run([WRITER, IMAGE, TEMPLATE, file_name, names, str(DOS_WHEN), out], check=True)
        with open(out, 'rb') as f:
            return f.read()


class GeneratorPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for needed in (PAGE, IMAGE, TEMPLATE, WRITER):
            if not os.path.exists(needed):
                raise unittest.SkipTest('%s missing: run tools/build first' % needed)
        cls.browser = chromium.Browser()
        cls.downloads = tempfile.TemporaryDirectory(prefix='generator-page-')
        cls.browser.send('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': cls.downloads.name,
                                                         'eventsEnabled': True})

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.downloads.cleanup()

    def open_page(self, width, height, ratio=1, mobile=False):
        page = self.browser.new_page()
        page.viewport(width, height, ratio, mobile)
        page.send('Target.setAutoAttach', {'autoAttach': True, 'waitForDebuggerOnStart': False, 'flatten': True})
        page.open(PAGE)
        page.wait_for('typeof Page !== "undefined" && Page.ready')
        return page

    def key(self, page, key, code, text=None):
        down = {'type': 'keyDown' if text else 'rawKeyDown', 'key': key, 'code': code,
                'windowsVirtualKeyCode': {'Tab': 9, 'Enter': 13, 'Escape': 27}.get(key, 0)}
        if text:
            down['text'] = text
        page.send('Input.dispatchKeyEvent', down)
        page.send('Input.dispatchKeyEvent', {'type': 'keyUp', 'key': key, 'code': code,
                                             'windowsVirtualKeyCode': down['windowsVirtualKeyCode']})

    def focused(self, page):
        return page.evaluate('document.activeElement.id || document.activeElement.name')

    def type_names(self, page, names):
        page.evaluate('document.getElementById("names").select()')
        page.send('Input.insertText', {'text': names})

    def choose(self, page, kind):
        page.evaluate('document.querySelector("#kinds input[value=\'%s\']").click()' % KINDS[kind])

    def crea(self, page):
        """Enter in the names' field, as on the window's focused button."""
        page.evaluate('document.getElementById("names").focus()')
        self.key(page, 'Enter', 'Enter', '\r')

    def download(self, seen_before):
        """The next finished download: its suggested name and bytes."""
        deadline = time.time() + 20
        while time.time() < deadline:
            events = [e for e in self.browser.events[seen_before:] if e['method'].startswith('Browser.download')]
            begun = [e['params'] for e in events if e['method'] == 'Browser.downloadWillBegin']
            done = [e['params'] for e in events if e['method'] == 'Browser.downloadProgress'
                    and e['params']['state'] == 'completed']
            if begun and done:
                name = begun[0]['suggestedFilename']
                with open(os.path.join(self.downloads.name, name), 'rb') as f:
                    return name, f.read()
            try:
                self.browser.wait_event('-', timeout=0.2)
            except TimeoutError:
                pass
        self.fail('no download')

    def question(self, page):
        page.wait_for('document.getElementById("question").open')
        return page.evaluate('[document.getElementById("question-text").textContent, document.activeElement.id]')

    def preview_names(self, page):
        """The closed card in the preview frame, read in the frame itself."""
        frames = [e['params'] for e in self.browser.events if e['method'] == 'Target.attachedToTarget'
                  and e.get('sessionId') == page.session and e['params']['targetInfo']['type'] == 'iframe']
        session = frames[-1]['sessionId']
        deadline = time.time() + 10
        while time.time() < deadline:
            found = self.browser.send('Runtime.evaluate', {'expression': '(document.querySelector("#closed .from") '
                                                           '|| {}).textContent', 'returnByValue': True}, session)
            if found['result'].get('value') is not None and page.evaluate('!Page.previewing'):
                return found['result']['value'], session
            time.sleep(0.1)
        return None, session

    def test_each_kind_is_the_programs_card_and_the_names_question(self):
        page = self.open_page(390, 844, 3, True)
        for domain in ('Network', 'Log', 'Runtime'):
            page.send(domain + '.enable')
        page.evaluate('Page.now = () => new Date(%d, %d, %d, %d, %d, %d)' % ((WHEN[0], WHEN[1] - 1) + WHEN[2:]))

        # The window's tab order, round from the names: the instructions,
        # "?", the file's name and type (the dialog's), then "Crea".
        page.evaluate('document.getElementById("names").focus()')
        order = []
        for _ in range(5):
            self.key(page, 'Tab', 'Tab')
            order.append(self.focused(page))
        self.assertEqual(order, ['instructions', 'about-open', 'file', 'kind', 'crea'])

        frame_sessions = set()
        for names in (LATIN, GREEK):
            self.type_names(page, names)
            shown, session = self.preview_names(page)
            frame_sessions.add(session)
            self.assertEqual(shown, names, 'the preview is the card of the names as typed')
            for kind in ('html', 'exe', 'zip'):
                with self.subTest(names=names, kind=kind):
                    self.choose(page, kind)
                    self.assertEqual(page.evaluate('document.getElementById("final").textContent'), 'Vavuri.' + kind)
                    seen = len(self.browser.events)
                    self.crea(page)
                    if names == GREEK and kind != 'html':
                        text, default = self.question(page)
                        # Each letter apart, not run together into a word.
                        self.assertIn('\u0395  \u03bb  \u03ad  \u03bd  \u03b7', text.split('\n')[0])
                        self.assertNotIn('<', text.split('\n')[0], 'what the card can show is not asked about')
                        self.assertEqual(default, 'no', 'No is the default answer, as in the program')
                        if kind == 'exe':
                            page.screenshot(os.path.join(OUT, 'generator-page-question.png'))
                            page.evaluate('document.getElementById("no").click()')
                            time.sleep(1)
                            self.assertEqual([e for e in self.browser.events[seen:]
                                              if e['method'] == 'Browser.downloadWillBegin'], [], 'No writes nothing')
                            self.crea(page)
                            self.question(page)
                        page.evaluate('document.getElementById("yes").click()')
                    name, data = self.download(seen)
                    self.assertEqual(name, 'Vavuri.' + kind)
                    self.assertTrue(data == expected(name, names), 'the %s differs from the program\'s' % name)
                    self.assertEqual(page.evaluate('document.getElementById("status").textContent'), HANDED % name)

        # Names the browser would change: the one shown is the one saved, and
        # its card is the program's for that name. Crea pressed twice while
        # a card is made makes one download.
        self.type_names(page, LATIN)
        for typed, kind in AWKWARD:
            with self.subTest(typed=typed[:12], kind=kind):
                page.evaluate('(() => { const f = document.getElementById("file"); f.value = %s; '
                              'f.dispatchEvent(new Event("input")); })()' % json.dumps(typed))
                self.choose(page, kind)
                shown = page.evaluate('document.getElementById("final").textContent')
                seen = len(self.browser.events)
                page.evaluate('document.getElementById("crea").click(); document.getElementById("crea").click()')
                name, data = self.download(seen)
                self.assertEqual(name, shown)
                self.assertLessEqual(len(name.encode('utf-8')), 150)
                self.assertTrue(data == expected(name, LATIN), name)
                time.sleep(0.3)
                self.assertEqual(len([e for e in self.browser.events[seen:]
                                      if e['method'] == 'Browser.downloadWillBegin']), 1, 'one download per press')
        page.evaluate('(() => { const f = document.getElementById("file"); f.value = "Vavuri"; '
                      'f.dispatchEvent(new Event("input")); })()')

        # The field keeps whole characters within 70 units, as the program's.
        self.type_names(page, 'a' * 69 + '\U0001F384')
        self.assertEqual(page.evaluate('document.getElementById("names").value'), 'a' * 69)

        # A name's own kind wins; another ending gets the chosen type's.
        page.evaluate('(() => { const f = document.getElementById("file"); f.value = "Auguri.v2. "; '
                      'f.dispatchEvent(new Event("input")); })()')
        self.choose(page, 'zip')
        self.assertEqual(page.evaluate('document.getElementById("final").textContent'), 'Auguri.v2.zip')
        page.evaluate('(() => { const f = document.getElementById("file"); f.value = "Nonni .HTML "; '
                      'f.dispatchEvent(new Event("input")); })()')
        self.assertEqual(page.evaluate('document.getElementById("final").textContent'), 'Nonni .HTML')

        requested = [e['request']['url'] for e in page.events('Network.requestWillBeSent')]
        self.assertEqual([u for u in requested if not u.startswith(('file://', 'blob:', 'data:'))], [])
        errors = page.events('Runtime.exceptionThrown') + [e for e in page.events('Log.entryAdded')
                                                           if e['entry']['level'] in ('error', 'warning')]
        errors += [e for e in page.events('Runtime.consoleAPICalled') if e['type'] in ('error', 'warning')]
        for session in frame_sessions:
            errors += [e for e in self.browser.events if e.get('sessionId') == session
                       and e['method'] in ('Runtime.exceptionThrown', 'Log.entryAdded')]
        self.assertEqual(errors, [])

    def test_phone_and_desktop_layouts_share_and_without_scripts(self):
        # A phone that shares pages (as Chromium on Android does), but not programs.
        page = self.browser.new_page()
        page.send('Page.addScriptToEvaluateOnNewDocument', {'source': SHARE_SHEET})
        page.viewport(390, 844, 3, True)
        page.open(PAGE)
        page.wait_for('Page.ready')
        self.assertFalse(page.evaluate('document.getElementById("share").hidden'), 'Condividi, for the web card')
        self.type_names(page, LATIN)
        page.evaluate('document.getElementById("share").click()')
        page.wait_for('Boolean(window.shared)')
        shared = page.evaluate('window.shared.arrayBuffer().then((b) => [window.shared.name, '
                               'btoa(Array.from(new Uint8Array(b), (c) => String.fromCharCode(c)).join(""))])')
        self.assertEqual(shared[0], 'Vavuri.html')
        self.assertEqual(base64.b64decode(shared[1]), expected('Vavuri.html', LATIN))
        self.choose(page, 'exe')
        self.assertTrue(page.evaluate('document.getElementById("share").hidden'), 'no Condividi for a program')

        page = self.open_page(390, 844, 3, True)
        self.type_names(page, LATIN)
        self.preview_names(page)
        sizes = page.evaluate('''(() => {
            const box = (e) => e.getBoundingClientRect();
            const crea = document.getElementById("crea");
            crea.scrollIntoView({block: "nearest"});
            const targets = [...document.querySelectorAll("input[type=text], button:not([hidden]), #kinds label")]
                .filter((e) => !e.closest("dialog") && e.getClientRects().length)
                .map((e) => [e.id || e.textContent, box(e).height]);
            return {wide: document.documentElement.scrollWidth, crea: JSON.parse(JSON.stringify(box(crea))),
                    small: targets.filter(([, h]) => h < 44)};
        })()''')
        self.assertLessEqual(sizes['wide'], 390, 'no sideways scroll')
        self.assertTrue(0 <= sizes['crea']['top'] and sizes['crea']['bottom'] <= 844, sizes['crea'])
        self.assertEqual(sizes['small'], [], 'touch targets of at least 44 px')
        page.evaluate('window.scrollTo(0, 0); document.activeElement.blur()')
        page.screenshot(os.path.join(OUT, 'generator-page-phone.png'))
        page.evaluate('document.getElementById("preview").scrollIntoView()')
        time.sleep(0.3)
        page.screenshot(os.path.join(OUT, 'generator-page-phone-preview.png'))

        page = self.open_page(1280, 800)
        self.type_names(page, LATIN)
        self.preview_names(page)
        page.evaluate('document.activeElement.blur()')
        page.screenshot(os.path.join(OUT, 'generator-page-desktop.png'))
        page.evaluate('document.getElementById("about-open").click()')
        about = page.evaluate('document.getElementById("about").innerText')
        self.assertIn('Versione 1.1.0', about)
        self.assertIn('mailto:', page.evaluate('document.querySelector("#about a").href'))
        page.screenshot(os.path.join(OUT, 'generator-page-about.png'))
        self.key(page, 'Escape', 'Escape')
        self.assertFalse(page.evaluate('document.getElementById("about").open'))

        page = self.browser.new_page()
        page.send('Emulation.setScriptExecutionDisabled', {'value': True})
        page.open(PAGE)
        said = page.evaluate('document.querySelector(".noscript").getBoundingClientRect().height > 0 && '
                             'document.querySelector(".noscript").textContent')
        self.assertIn('JavaScript', said or '')
        self.assertEqual(page.evaluate('document.querySelector("main").getClientRects().length'), 0,
                         'no dead form below the message')


if __name__ == '__main__':
    unittest.main()
