"""The show never waits for sound, in real time, two cards side by side:
one whose audio context never runs (resume() never settles, as in Firefox
with no output device), one whose sound comes late and is then interrupted
by the phone and comes back. Both play to the finished card; the show's
clock neither waits, nor jumps, nor bursts into the chimes it held."""

import time
import unittest

from tests.browser.webcard import PIC_GREEN, SOUNDS_STARTED, WebCardCase

# Every context the page makes, with a state the test sets (None: the real
# one), and every sound started with when it is due.
STATES = '''(() => {
    const Real = window.AudioContext;
    window.contexts = [];
    window.AudioContext = class extends Real {
        constructor(...a) {
            super(...a);
            this.held = "suspended";
            Object.defineProperty(this, "state", {configurable: true, get: () => this.held || super.state});
            contexts.push(this);
        }
    };
})();''' + SOUNDS_STARTED
NEVER = STATES + 'AudioContext.prototype.resume = () => new Promise(() => {});'
STATE_CHANGE = 'contexts[0].held = %s; contexts[0].dispatchEvent(new Event("statechange"))'


class SoundNeverWaitsTest(WebCardCase):
    def test_silent_and_late_interrupted_sound_both_play_to_the_end(self):
        silent = self.open_card('Mario e Anna', window=True, before=NEVER)
        late = self.open_card('Mario e Anna', window=True, before=STATES)
        _, at = self.times(late)
        for page in (silent, late):
            self.tap_middle(page)
        tapped = time.monotonic()

        # The tree grows at once in both, on the page's clock.
        time.sleep(1)
        for page in (silent, late):
            self.assertGreater(len(self.drawn(page, PIC_GREEN)), 10)
            self.assertFalse(page.evaluate('Card.playing'))

        # The sound joins late: the show goes on from where it is, and the
        # tune from there on, not from its start all at once.
        time.sleep(max(0, tapped + 2 - time.monotonic()))
        before = late.evaluate('Card.showing.ms')
        late.evaluate(STATE_CHANGE % 'null')
        late.wait_for('Card.playing', timeout=2)
        joined = late.evaluate('[Card.showing.ms, Card.audioStart]')
        self.assertTrue(before <= joined[0] < before + 400, (before, joined))
        notes = [when - joined[1] for kind, when in late.evaluate('started') if kind == 'note']
        self.assertTrue(notes and min(notes) > before / 1000 - 0.2, (before, notes[:3]))

        # The phone interrupts it among the chimes: the show holds, and goes
        # on from the same moment when the sound comes back.
        time.sleep(max(0, tapped + at['chime'][3] / 1000 - time.monotonic()))
        late.evaluate('contexts[0].suspend()')
        late.evaluate(STATE_CHANGE % '"interrupted"')
        held = late.evaluate('Card.showing.ms')
        time.sleep(1.5)
        self.assertTrue(late.evaluate('Card.showing.paused'))
        self.assertLess(late.evaluate('Card.showing.ms') - held, 50)
        chimes_held = len([k for k, _ in late.evaluate('started') if k == 'chime'])
        late.evaluate(STATE_CHANGE % 'null')
        late.wait_for('!Card.showing.paused', timeout=2)
        back = late.evaluate('Card.showing.ms')
        self.assertTrue(held <= back < held + 300, (held, back))

        for page in (silent, late):
            page.wait_for('Card.showing.ended', timeout=50)
            page.wait_for('getComputedStyle(document.getElementById("again")).display !== "none"', timeout=5)
            self.assertEqual(len(self.drawn(page, PIC_GREEN)), 395)
        self.assertFalse(silent.evaluate('Card.playing'))
        self.assertEqual(silent.evaluate('started.length'), 0)
        # No burst: the chimes after the interruption keep the show's spacing.
        chimes = [when for kind, when in late.evaluate('started') if kind == 'chime']
        self.assertEqual(len(chimes), len([t for t in at['chime'] if t > before + 400]))
        after = chimes[chimes_held - 1:]
        for i in range(1, len(after)):
            self.assertGreater(after[i] - after[i - 1], 0.2, after)

        # Rivedi and a key work with no sound at all.
        again = self.box(silent, '#again')
        silent.tap(again['x'] + again['width'] / 2, again['y'] + again['height'] / 2)
        silent.wait_for('!document.documentElement.classList.contains("ended")')
        time.sleep(0.5)
        self.assertGreater(len(self.drawn(silent, PIC_GREEN)), 3)
        silent.key('x')
        self.assertTrue(silent.evaluate('Card.showing.ended'))
        for page in (silent, late):
            errors = page.events('Runtime.exceptionThrown') + [
                e for e in page.events('Log.entryAdded') if e['entry']['level'] == 'error']
            self.assertEqual(errors, [])


if __name__ == '__main__':
    unittest.main()
