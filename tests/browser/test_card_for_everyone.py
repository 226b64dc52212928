"""The web card for every person, in headless Chromium: a screen reader
hears who it is from, then the greeting and the names during the show and
at its end; a visible control stops the motion and the music at a touch;
focus shows on every control; less motion where the person asks for it."""

import os
import time
import unittest

from tests.browser.webcard import GREETING, IMG_NEVE, OUT, PIC_GREEN, WebCardCase, fill, overlaps

NOTES = '''(() => {
    window.notes = [];
    const start = OscillatorNode.prototype.start;
    OscillatorNode.prototype.start = function (...a) { notes.push(performance.now()); return start.apply(this, a); };
})()'''
NAMES = 'Mario e Anna'


class CardForEveryoneTest(WebCardCase):
    def spoken(self, page):
        """The names and texts the accessibility tree gives, as a screen
        reader reads them."""
        nodes = page.send('Accessibility.getFullAXTree')['nodes']
        said = []
        for node in nodes:
            if node.get('ignored'):
                continue
            for key in ('name', 'value'):
                value = (node.get(key) or {}).get('value')
                if isinstance(value, str) and value.strip():
                    said.append(value.strip())
        return ' | '.join(said)

    def test_a_screen_reader_hears_the_card_and_a_touch_stops_it(self):
        page = self.open_card(NAMES, 390, 844, 3, True)
        page.send('Accessibility.enable')
        closed = self.spoken(page)
        self.assertIn(NAMES, closed)
        self.assertNotIn(GREETING, closed, 'the closed card speaks, not the card inside it')

        page.evaluate(NOTES)
        self.tap_middle(page, 390, 844)
        time.sleep(1)
        during = self.spoken(page)
        self.assertIn(GREETING, during)
        self.assertIn(NAMES, during)
        self.assertIn('Ferma', during)
        stop = self.box(page, '#stop')
        self.assertGreaterEqual(min(stop['width'], stop['height']), 44, 'large enough for a finger')
        rect = (stop['left'], stop['top'], stop['right'], stop['bottom'])
        self.assertEqual([b for b in self.card_boxes(page) if overlaps(b, rect)], [])
        page.screenshot(os.path.join(OUT, 'phone-stop.png'))
        page.wait_for('Card.playing', timeout=3)

        # A touch on it: the finished card at once, and no note after it.
        page.tap(stop['x'] + stop['width'] / 2, stop['y'] + stop['height'] / 2)
        page.wait_for('Card.showing.ended', timeout=2)
        stopped = page.evaluate('performance.now()')
        self.assertFalse(page.evaluate('Card.playing'))
        self.assertEqual(len(self.drawn(page, PIC_GREEN)), 395)
        time.sleep(1.5)
        self.assertEqual([t for t in page.evaluate('notes') if t > stopped], [])
        end = self.spoken(page)
        self.assertIn(GREETING, end)
        self.assertIn(NAMES, end)
        self.assertEqual(page.evaluate('document.activeElement.id'), 'again', 'focus goes on to Rivedi')

        # Focus shows on Rivedi where the keyboard is in use.
        page.evaluate('document.activeElement.blur()')
        page.key('Shift')
        page.evaluate('document.getElementById("again").focus()')
        self.assertTrue(page.evaluate('document.getElementById("again").matches(":focus-visible")'))
        self.assertNotEqual(page.evaluate('getComputedStyle(document.activeElement).outlineStyle'), 'none')

    def test_less_motion_when_asked_and_focus_on_the_closed_card(self):
        page = self.browser.new_page()
        page.send('Emulation.setEmulatedMedia', {'features': [{'name': 'prefers-reduced-motion', 'value': 'reduce'}]})
        page.viewport(1024, 768)
        page.open(fill(self.folder.name, NAMES))
        page.wait_for('document.documentElement.classList.contains("closed")')
        self.assertEqual(page.evaluate('document.getAnimations().length'), 0, 'no pulse')
        page.send('Input.dispatchKeyEvent', {'type': 'rawKeyDown', 'key': 'Tab', 'code': 'Tab',
                                             'windowsVirtualKeyCode': 9})
        self.assertEqual(page.evaluate('document.activeElement.id'), 'closed')
        self.assertNotEqual(page.evaluate('getComputedStyle(document.querySelector("#closed .card")).outlineStyle'),
                            'none')
        page.screenshot(os.path.join(OUT, 'closed-focused.png'))
        # Enter opens it, and the show goes on: the key that opens does not end it.
        page.send('Input.dispatchKeyEvent', {'type': 'keyDown', 'key': 'Enter', 'code': 'Enter', 'text': '\r',
                                             'windowsVirtualKeyCode': 13})
        page.send('Input.dispatchKeyEvent', {'type': 'keyUp', 'key': 'Enter', 'code': 'Enter',
                                             'windowsVirtualKeyCode': 13})
        page.wait_for('typeof Card !== "undefined" && Card.showing !== null')
        self.assertEqual(page.evaluate('document.activeElement.id'), 'stop', 'focus follows to the control')
        page.evaluate('Card.freezeAt(20000)')
        self.assertFalse(page.evaluate('Card.showing.ended'))
        # The snow comes gently: a flake a second, not five.
        _, at = self.times(page)
        snow_from = [ms for ms, op in page.evaluate('Card.record') if op[0] == 'timer' and op[1] == 2][0]
        flakes = len([op for op in page.evaluate('Card.drawn') if op[0] == 'paint' and op[1] == IMG_NEVE])
        self.assertLessEqual(flakes, (20000 - snow_from) / 1000 + 1)
        self.assertGreater(flakes, 0)


if __name__ == '__main__':
    unittest.main()
