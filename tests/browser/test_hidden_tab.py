"""The web card in a tab the user leaves mid-show, in real time: hidden from
12 s to 20 s after the tap, then hidden and frozen among the chimes. The
show holds and goes on from the same moment, the chimes keep the show's
spacing, and the tune plays every note in its place."""

import time
import unittest

from tests.browser.webcard import SOUNDS_STARTED, WebCardCase

TUNE_TIMES = 'Card.parts.then((parts) => Synth.parse(parts.tune).notes.map((n) => n.time))'


NEXT_FRAMES = 'new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(() => r(true))))'


class HiddenTabTest(WebCardCase):
    def away(self, page, tapped, leave, come_back, freeze):
        """The user switches to another tab from leave to come_back seconds
        after the tap; the show's moment when the card shows again."""
        time.sleep(max(0, tapped + leave - time.monotonic()))
        other = page.hide(freeze)
        time.sleep(max(0, tapped + come_back - time.monotonic()))
        page.show()
        self.browser.send('Target.closeTarget', {'targetId': other.target})
        page.evaluate(NEXT_FRAMES)
        return page.evaluate('Card.showing.ms')

    def test_hidden_and_frozen_tab_holds_the_show_in_tune(self):
        page = self.open_card('Mario e Anna')
        _, at = self.times(page)
        tune = page.evaluate(TUNE_TIMES)
        page.evaluate(SOUNDS_STARTED)
        self.tap_middle(page)
        tapped = time.monotonic()

        # Hidden while the tree grows: where it was, not 8 s on, and the
        # tune held too; then it goes on.
        back = self.away(page, tapped, 12, 20, freeze=False)
        self.assertTrue(11000 < back < 13000, back)
        # The tune starts with the show, on the audio clock: where the sound
        # joined after the tap's first frame, a note due before that clock
        # began sounds at its 0.
        notes = [when for kind, when in page.evaluate('started') if kind == 'note']
        beginning = page.evaluate('Card.audioStart')
        self.assertLess(max(notes) - beginning, back / 1000 + 1)
        time.sleep(1)
        self.assertTrue(back + 700 < page.evaluate('Card.showing.ms') < back + 1500)
        # Frozen among the chimes.
        back = self.away(page, tapped, 25, 29, freeze=True)
        self.assertTrue(16000 < back < 18000, back)

        page.wait_for('Card.showing.ended', timeout=30)
        started = page.evaluate('started')
        chimes = [when for kind, when in started if kind == 'chime']
        self.assertEqual(len(chimes), len(at['chime']))
        for i in range(1, len(chimes)):
            spacing = (at['chime'][i] - at['chime'][i - 1]) / 1000
            self.assertGreater(chimes[i] - chimes[i - 1], spacing - 0.005, (i, chimes))
        # Every note of the tune, each at its time from the tune's start.
        notes = [when for kind, when in started if kind == 'note']
        near = lambda w, t: abs(w - max(0, beginning + t)) < 0.002  # noqa: E731
        self.assertEqual([t for t in tune if not any(near(w, t) for w in notes)], [])
        self.assertEqual([w for w in notes if not any(near(w, t) for t in tune)], [])


if __name__ == '__main__':
    unittest.main()
