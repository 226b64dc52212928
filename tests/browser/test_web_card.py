"""The web card in headless Chromium, at a desktop's size: the road from
the closed card through the show to the finished card, "Rivedi" and a key;
no network; the page without scripts; names in any script. Window shapes and
a hidden tab have their own modules."""

import os
import re
import struct
import tempfile
import time
import unittest

from devkit.browsers import chromium
from tests.browser.webcard import (GREETING, IMG_STAR0, OUT, PIC_GREEN, PIC_RED, REF_W, TUNE,
                     WebCardCase, fill, overlaps)

# What the host tests of the scene know of the 800 x 600 screen, which a
# 4:3 window gets as it is.
TURN_POINTS = [(710, 463), (140, 419), (660, 378), (190, 341), (610, 304),
               (240, 268), (560, 228), (290, 194), (510, 163), (340, 139)]
# Within the names field's 70 characters, as every card holds them.
MARKUP = '</script><script>pwned=1</script><b>"&\'<img src=x onerror="pwned=1">'


SIXTY_SIX = 'Mario e Anna, Giulia, Luca e Sofia, i nonni Pino e Carla e zio Ugo'
# Where the page without scripts puts its parts, in CSS pixels of the window.
NOSCRIPT_BOXES = '''(() => {
    const box = (e) => JSON.parse(JSON.stringify(e.getBoundingClientRect()));
    const $ = (s) => document.querySelector(s);
    const names = $("#names"), style = getComputedStyle(names);
    const use = (name) => "#finished use[href='#" + $("symbol[data-name='" + name + "']").id + "']";
    return {names: box(names), greeting: box($("#finished .greeting")), band: box($("#finished svg > rect")),
            moon: box($("#moon")), closed: box($("#closed")), banner: box($(".open")),
            star: box($(use("imgStar0"))),
            pictures: Array.from(document.querySelectorAll(use("imgNeve") + ", " + use("imgStar0")), box),
            lines: Math.round(names.getBoundingClientRect().height / parseFloat(style.lineHeight)),
            text: names.textContent, greetingText: $("#finished .greeting").textContent,
            garland: $("#finished path").getAttribute("d")};
})()'''


def box_of(rect):
    return rect['left'], rect['top'], rect['right'], rect['bottom']


class WebCardTest(WebCardCase):
    def test_show_from_closed_card_to_rivedi_and_a_key(self):
        page = self.open_card('Mario e Anna')
        closed = page.evaluate('document.getElementById("closed").innerText')
        self.assertIn('Un biglietto di auguri da', closed)
        self.assertIn('Mario e Anna', closed)
        self.assertIn('Fai clic per aprire', closed)  # a mouse, not a finger
        page.screenshot(os.path.join(OUT, 'desktop-closed.png'))

        record, at = self.times(page)
        self.assertEqual(page.evaluate('[Card.screen.width, Card.screen.height, Card.screen.scale]'), [800, 600, 1.28])
        stamps = [op[2:4] for _, op in record if op[0] == 'paint' and op[1] == PIC_GREEN]
        self.assertEqual(len(stamps), 395)
        self.assertEqual(stamps[0], [100, 500])
        self.assertEqual(stamps[60][0], 700)
        baubles = [op[2:4] for _, op in record if op[0] == 'paint' and op[1] == PIC_RED]
        self.assertEqual(baubles, [[x, y + 24] for x, y in TURN_POINTS])
        star = [op[2:4] for _, op in record if op[0] == 'paint' and op[1] == IMG_STAR0][0]
        self.assertAlmostEqual(star[0], 402)
        self.assertAlmostEqual(star[1], 66.5, places=2)
        self.assertEqual(len(at['chime']), 12)
        texts = [op[1:4] for _, op in record if op[0] == 'text']
        self.assertEqual([(t[0], t[2]) for t in texts], [(GREETING, 400), ('Mario e Anna', 460)])
        label = [op for _, op in record if op[0] == 'label'][0]
        self.assertEqual(label[2:5], [110, 540, 600])

        self.tap_middle(page)
        # The garland part-grown: stamps every 40 ms, each where the scene
        # put it, and nothing else (the window's two corner pictures are the
        # card program's alone).
        page.evaluate('Card.freezeAt(8000)')
        grown = self.drawn(page, PIC_GREEN)
        self.assertEqual(grown, stamps[:len(grown)])
        self.assertEqual(len(grown), 201)
        self.assertEqual(len(page.evaluate('Card.drawn')), 201)
        self.assertGreater(self.pixel(page, stamps[100][0] + 16, stamps[100][1] + 24)[3], 200)
        self.assertEqual(self.pixel(page, 418, 90)[3], 0)  # no star yet
        page.screenshot(os.path.join(OUT, 'desktop-garland.png'))

        # Ornaments: five pairs hung, each with its chime.
        page.evaluate('Card.freezeAt(%d)' % (at['chime'][4] + 100))
        self.assertEqual(self.drawn(page, PIC_RED), baubles[:5])
        red = self.pixel(page, baubles[0][0] + 16, baubles[0][1] + 20)
        self.assertTrue(red[0] > 120 and red[1] < 90, red)
        page.screenshot(os.path.join(OUT, 'desktop-ornaments.png'))

        # The star, before the first flake can fall on it.
        placed = [ms for ms, op in record if op[0] == 'paint' and op[1] == IMG_STAR0][0]
        page.evaluate('Card.freezeAt(%d)' % (placed + 100))
        star_pixel = self.pixel(page, 402 + 24, 66.5 + 24)
        self.assertTrue(star_pixel[0] > 150 and star_pixel[1] > 100 and star_pixel[2] < 120, star_pixel)

        # Credit line, greeting and names, before the final wait ends.
        page.evaluate('Card.freezeAt(%d)' % (at['text'][-1] + 3000))
        ops = page.evaluate('Card.drawn')
        self.assertEqual([op[1] for op in ops if op[0] == 'text'], [GREETING, 'Mario e Anna'])
        page.screenshot(os.path.join(OUT, 'desktop-greeting.png'))

        # The end: the card stays, greeting in red over the tree's green, and
        # "Rivedi" covers none of it.
        page.evaluate('Card.freezeAt(%d)' % (at['end'][0] + 2000))
        self.assertTrue(page.evaluate('Card.showing.ended'))
        self.assertFalse(page.evaluate('Card.playing'))
        greeting = self.census(page, 100, 400, 700, 443)
        tree = self.census(page, 100, 470, 700, 530)
        self.assertGreater(greeting['red'], 3000, greeting)
        self.assertGreater(tree['green'], 3000, tree)
        again = self.box(page, '#again')
        self.assertEqual(page.evaluate('document.getElementById("again").innerText'), 'Rivedi')
        self.assertGreater(again['width'], 0)
        rivedi = (again['left'], again['top'], again['right'], again['bottom'])
        self.assertEqual([b for b in self.card_boxes(page) if overlaps(b, rivedi)], [])
        page.wait_for('!document.getAnimations().length')  # "Rivedi" in full
        page.screenshot(os.path.join(OUT, 'desktop-end.png'))
        page.tap(again['x'] + again['width'] / 2, again['y'] + again['height'] / 2)
        page.wait_for('!document.documentElement.classList.contains("ended")')
        page.wait_for('Card.playing', timeout=2)  # the sound joins once its clock runs
        self.assertEqual(page.evaluate('Card.sound'), {'state': 'running', 'chime': True, 'tune': True})

        # In real time now: a tap or a Shift goes unheeded, a typed key ends
        # it, and the whole card is there at once.
        time.sleep(0.5)
        page.tap(300, 300)
        page.key('Shift')
        time.sleep(0.2)
        self.assertFalse(page.evaluate('Card.showing.ended'))
        self.assertLess(len(self.drawn(page, PIC_GREEN)), 40)
        page.key('x')
        self.assertTrue(page.evaluate('Card.showing.ended'))
        self.assertFalse(page.evaluate('Card.playing'))
        self.assertEqual(len(self.drawn(page, PIC_GREEN)), 395)
        self.assertEqual([op[1] for op in page.evaluate('Card.drawn') if op[0] == 'text'], [GREETING, 'Mario e Anna'])
        page.wait_for('document.documentElement.classList.contains("ended")', timeout=5)

    def test_nothing_is_requested_and_nothing_fails(self):
        page = self.browser.new_page()
        page.viewport(1024, 768)
        path = fill(self.folder.name, 'Mario e Anna')
        own = 'file://' + os.path.abspath(path)
        fetched = []

        def block(event):
            if event.get('method') != 'Fetch.requestPaused' or event.get('sessionId') != page.session:
                return
            request = event['params']
            fetched.append(request['request']['url'])
            if request['request']['url'] == own:
                page.send('Fetch.continueRequest', {'requestId': request['requestId']})
            else:
                page.send('Fetch.failRequest', {'requestId': request['requestId'], 'errorReason': 'BlockedByClient'})

        self.browser.handlers.append(block)
        try:
            page.send('Network.enable')
            page.send('Fetch.enable', {'patterns': [{'urlPattern': '*'}]})
            page.open(path)
            page.wait_for('document.documentElement.classList.contains("closed") && typeof Card !== "undefined" && Card.ready')
            _, at = self.times(page)
            self.tap_middle(page)
            time.sleep(1.5)  # the tune starts, the garland grows
            page.evaluate('Card.freezeAt(%d)' % (at['end'][0] + 2100))
            time.sleep(0.3)
        finally:
            self.browser.handlers.remove(block)
        self.assertLessEqual(os.path.getsize(path), 96 * 1024)
        requested = [e['request']['url'] for e in page.events('Network.requestWillBeSent')]
        self.assertEqual([u for u in fetched if u != own], [])
        self.assertEqual([u for u in requested if u != own and not u.startswith('data:')], [])
        errors = [e for e in page.events('Runtime.consoleAPICalled') if e['type'] in ('error', 'warning')]
        errors += page.events('Runtime.exceptionThrown')
        errors += [e for e in page.events('Log.entryAdded') if e['entry']['level'] in ('error', 'warning')]
        self.assertEqual(errors, [])

    def test_without_scripts_the_static_card_and_names_show(self):
        # What a phone's file preview shows: the card in its own right, at
        # every window, for a short list of names and a long one.
        for names, width, height in (('Mario e Anna', 1024, 768), (SIXTY_SIX, 390, 844), (SIXTY_SIX, 1280, 800),
                                     (SIXTY_SIX, 320, 480), (SIXTY_SIX, 2560, 1080), (SIXTY_SIX, 844, 390)):
            with self.subTest(width=width, height=height):
                page = self.browser.new_page()
                page.viewport(width, height)
                page.send('Emulation.setScriptExecutionDisabled', {'value': True})
                page.open(fill(self.folder.name, names))
                shown = page.evaluate(NOSCRIPT_BOXES)
                self.assertEqual(shown['text'], names)
                self.assertEqual(shown['greetingText'], GREETING)
                self.assertEqual(shown['closed']['width'], 0)
                band, banner = shown['band'], shown['banner']
                self.assertLessEqual(shown['names']['bottom'], band['top'], 'the names clear of the credit band')
                self.assertGreaterEqual(shown['names']['top'], shown['greeting']['bottom'] - 1)
                self.assertLessEqual(shown['lines'], 2)
                self.assertTrue(shown['names']['left'] >= 0 and shown['names']['right'] <= width, shown['names'])
                self.assertGreater(banner['height'], 0)
                for other in ('moon', 'names', 'greeting', 'star'):
                    self.assertFalse(overlaps(box_of(banner), box_of(shown[other])), 'the banner covers the ' + other)
                self.assertEqual([p for p in shown['pictures'] if not (0 <= p['left'] and p['right'] <= width
                                                                       and 0 <= p['top'] and p['bottom'] <= height)],
                                 [], 'no flake or star cut by the window')
                page.screenshot(os.path.join(OUT, 'noscript-%dx%d.png' % (width, height)))
        # The static garland is the scene's: the host tests' stamps, in order
        # (a path's points, each after the first a step from the one before).
        self.assertEqual(shown['garland'][0], 'm')
        numbers = [int(n) for n in re.findall(r'-?\d+', shown['garland'])]
        points = [tuple(numbers[:2])]
        for dx, dy in zip(numbers[2::2], numbers[3::2]):
            points.append((points[-1][0] + dx, points[-1][1] + dy))
        self.assertEqual(len(points), 395)
        self.assertEqual(points[0], (100, 500))
        self.assertEqual(points[60][0], 700)

    def test_names_show_as_typed_and_run_nothing(self):
        for label, names in (('greek', 'Γιώργος και Ελένη'), ('japanese', 'さくら と はると'),
                             ('hebrew', 'דוד ושרה'), ('arabic', 'أحمد وفاطمة'), ('markup', MARKUP)):
            with self.subTest(label):
                page = self.open_card(names)
                seen = page.evaluate('''[document.title, document.querySelector("#closed .from").textContent,
                    document.getElementById("names").textContent, document.scripts.length,
                    document.querySelectorAll("body b, body img").length, typeof window.pwned]''')
                # The scripts: the page's two and the sound's from its pack.
                self.assertEqual(seen, ['Un biglietto di auguri da ' + names, names, names, 3, 0, 'undefined'])
                _, at = self.times(page)
                self.tap_middle(page)
                page.evaluate('Card.freezeAt(%d)' % (at['text'][1] - 1))
                self.keep(page)
                page.evaluate('Card.freezeAt(%d)' % (at['end'][0] - 500))
                texts = [op for op in page.evaluate('Card.drawn') if op[0] == 'text']
                self.assertEqual([op[1] for op in texts], [GREETING, names])
                # Names too wide for the screen get smaller, by the browser's own measure of them.
                self.assertEqual(texts[1][4] < 32, label == 'markup')
                self.assertGreaterEqual(texts[1][2], 70)
                # Red letters with a black edge, in every script: the outline
                # must not swamp thin strokes.
                letters = self.census(page, texts[1][2], texts[1][3], REF_W - texts[1][2], texts[1][3] + 43, True)
                self.assertGreater(letters['red'], letters['dark'], letters)
                self.assertEqual(page.evaluate('typeof window.pwned'), 'undefined')
                page.screenshot(os.path.join(OUT, 'names-%s.png' % label))



def midi_note_starts(path):
    """Seconds of every note-on in a Standard MIDI File, and its length,
    read here independently of the page's synthesizer."""
    with open(path, 'rb') as f:
        data = f.read()
    tracks, division = struct.unpack('>HH', data[10:14])
    events, pos = [], 8 + struct.unpack('>I', data[4:8])[0]
    for _ in range(tracks):
        end = pos + 8 + struct.unpack('>I', data[pos + 4:pos + 8])[0]
        pos, tick, status = pos + 8, 0, 0
        while pos < end:
            delta = 0
            while True:
                b = data[pos]
                pos += 1
                delta = (delta << 7) | (b & 0x7F)
                if b < 0x80:
                    break
            tick += delta
            if data[pos] & 0x80:
                status = data[pos]
                pos += 1
            if status == 0xFF:
                kind, n = data[pos], data[pos + 1]
                events.append((tick, 'tempo', int.from_bytes(data[pos + 2:pos + 5], 'big')) if kind == 0x51
                              else (tick, 'meta', 0))
                pos += 2 + n
            else:
                size = 1 if status >> 4 in (0xC, 0xD) else 2
                if status >> 4 == 0x9 and data[pos + 1] > 0:
                    events.append((tick, 'on', 0))
                pos += size
        pos = end
    events.sort(key=lambda e: e[0])
    tempo, last, seconds, starts = 500000, 0, 0.0, []
    for tick, kind, value in events:
        seconds += (tick - last) * tempo / division / 1e6
        last = tick
        if kind == 'tempo':
            tempo = value
        elif kind == 'on':
            starts.append(seconds)
    return sorted(set(round(s, 4) for s in starts)), seconds


class TuneTest(unittest.TestCase):
    def test_synthesizer_plays_the_files_notes(self):
        starts, length = midi_note_starts(TUNE)
        self.assertGreater(len(starts), 20)
        browser = chromium.Browser()
        try:
            page = browser.new_page()
            page.open(fill(tempfile.gettempdir(), 'Mario e Anna'))
            page.wait_for('typeof Card !== "undefined" && Card.ready')
            result = page.evaluate('''(async () => {
                const tune = Synth.parse((await Card.parts).tune);
                const rate = 8000, ctx = new OfflineAudioContext(1, Math.ceil(rate * (tune.length + 3)), rate);
                Synth.schedule(ctx, ctx.destination, tune, 0, 0, Infinity);
                const samples = (await ctx.startRendering()).getChannelData(0);
                const frame = rate / 100, energy = [];  // per 10 ms
                for (let i = 0; i + frame <= samples.length; i += frame) {
                    let sum = 0;
                    for (let k = i; k < i + frame; k++) sum += samples[k] * samples[k];
                    energy.push(sum / frame);
                }
                let peak = 0;
                for (const s of samples) peak = Math.max(peak, Math.abs(s));
                return {length: tune.length, energy, peak};
            })()''')
        finally:
            browser.close()
        self.assertAlmostEqual(result['length'], length, places=3)
        energy = result['energy']
        self.assertGreater(result['peak'], 0.05)
        loud = [i for i, e in enumerate(energy) if e > 1e-6]
        self.assertAlmostEqual(loud[0] / 100, starts[0], delta=0.02)  # silent before the first note
        self.assertTrue(length - 1 <= loud[-1] / 100 <= length + 3, loud[-1] / 100)  # sounds to the end
        # Every note start of the file is an attack in the sound: louder just
        # after than just before.
        late = []
        for start in starts:
            i = int(round(start * 100))
            before = sum(energy[max(0, i - 3):i]) / 3 + 1e-9
            after = sum(energy[i:i + 3]) / 3
            if after < 1.3 * before:
                late.append(start)
        self.assertEqual(late, [])


if __name__ == '__main__':
    unittest.main()
