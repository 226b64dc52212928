"""The web card on every window: late in the show the snow falls over the
upper half of the whole window, the moon is whole, the tree stands whole at
the bottom centre and the words are at least 12 CSS pixels high, an upright
phone turned on its side goes on from the same moment, and at the end the
card stays with "Rivedi" clear of it; the closed card can be read whole in
small windows."""

import os
import re
import unittest

from tests.browser.webcard import (IMG_NEVE, IMG_STAR0, OUT, PIC_GREEN, REF_H, REF_W, SEVENTY, WebCardCase,
                     overlaps)

SMALLEST_LETTERS = 12  # CSS pixels


class WindowShapeTest(WebCardCase):
    def check_late(self, page, width, height, label):
        """What a window of this shape shows late in the show."""
        screen = page.evaluate('Card.screen')
        scale = min(width / REF_W, height / REF_H)
        self.assertAlmostEqual(screen['scale'], scale, places=6)
        self.assertEqual((screen['width'], screen['height']),
                         (max(REF_W, round(width / scale)), max(REF_H, round(height / scale))))
        ops = page.evaluate('Card.drawn')

        # The tree whole, its base centred and a hundred scene pixels above
        # the bottom, with its green there on the canvas.
        tree = self.card_boxes(page)
        self.assertTrue(all(0 <= l and r <= width + 0.5 and 0 <= t and b <= height + 0.5 for l, t, r, b in tree),
                        [b for b in tree if not (0 <= b[0] and b[2] <= width + 0.5 and 0 <= b[1] and b[3] <= height + 0.5)])
        base = [op for op in ops if op[0] == 'paint' and op[1] == PIC_GREEN][:61]
        left, bottom = self.to_window(page, base[0][2], base[0][3])
        right, _ = self.to_window(page, base[-1][2] + 32, 0)
        self.assertAlmostEqual((left + right) / 2, width / 2 + 16 * scale, delta=1 + scale)
        self.assertAlmostEqual(bottom, height - 100 * scale, delta=1 + scale)
        self.assertGreater(self.census(page, base[30][2], base[30][3], base[30][2] + 32, base[30][3] + 32)['green'], 0)

        # The words readable, inside the window, above the credit line.
        texts = [op for op in ops if op[0] == 'text']
        self.assertEqual(len(texts), 2)
        for op in texts:
            self.assertGreaterEqual(round(op[4] * 4 / 3) * scale, SMALLEST_LETTERS, (label, op))
            self.assertGreaterEqual(op[2], 0, (label, op))
        credit = [op for op in ops if op[0] == 'label'][0]
        self.assertLessEqual(texts[1][3] + (2 if texts[1][5] else 1) * 1.15 * texts[1][4] * 4 / 3, credit[3])

        # The moon whole, in the window and clear of the tree.
        moon = self.box(page, '#moon')
        self.assertTrue(moon['left'] >= 0 and moon['right'] <= width and moon['top'] >= 0
                        and moon['bottom'] <= height / 2, moon)
        self.assertEqual([b for b in tree if overlaps(b, (moon['left'], moon['top'], moon['right'], moon['bottom']))],
                         [])

        # Flakes over the upper half of the whole window: in every fifth of
        # its width, and on an upright phone in its top quarter too; on the
        # canvas, the newest whole one away from the twinkling star shows a
        # flake's blue and white.
        flakes = [op for op in ops if op[0] == 'paint' and op[1] == IMG_NEVE]
        places = [self.to_window(page, op[2] + 16, op[3] + 16) for op in flakes]
        self.assertTrue(all(y <= height / 2 + 16 * scale + 1 for _, y in places), label)
        fifths = sorted(set(min(4, int(5 * x / width)) for x, _ in places if 0 <= x < width))
        self.assertEqual(fifths, [0, 1, 2, 3, 4], label)
        if height > 2 * width:
            self.assertTrue(any(y < height / 4 for _, y in places), label)
        star = [op for op in ops if op[0] == 'paint' and op[1] == IMG_STAR0][0]
        star_box = (star[2], star[3], star[2] + 48, star[3] + 48)
        seen = [op for op in flakes if op[2] + 32 <= screen['width']
                and not overlaps((op[2], op[3], op[2] + 32, op[3] + 32), star_box)][-1]
        r, g, b, a = self.pixel(page, seen[2] + 16, seen[3] + 16)
        self.assertTrue(a > 200 and b >= max(r, g) and b > 150, (r, g, b, a))
        page.screenshot(os.path.join(OUT, 'late-%s.png' % label))
        return flakes

    def late(self, page):
        _, at = self.times(page)
        return at['end'][0] - 500

    def check_end(self, page, label):
        """After the end the card stays, and "Rivedi" covers none of it."""
        page.evaluate('Card.freezeAt(Card.showing.ms + 1000)')
        page.wait_for('document.documentElement.classList.contains("ended") && !document.getAnimations().length')
        again = self.box(page, '#again')
        rivedi = (again['left'], again['top'], again['right'], again['bottom'])
        self.assertGreater(again['width'], 0)
        self.assertEqual([b for b in self.card_boxes(page) if overlaps(b, rivedi)], [], label)
        page.screenshot(os.path.join(OUT, 'end-%s.png' % label))

    def test_phone_turned_ultrawide_and_desktop(self):
        # A full list of names on an upright phone: broken in two, not shrunk
        # out of reach; the phone turned on its side goes on from the same
        # moment with the same flakes, laid out for its new shape.
        page = self.open_card(SEVENTY, 390, 844, 3, True)
        when = self.late(page)
        self.tap_middle(page, 390, 844)
        page.evaluate('Card.freezeAt(%d)' % when)
        names = [op for op in page.evaluate('Card.drawn') if op[0] == 'text'][1]
        self.assertEqual(names[1], SEVENTY)
        self.assertEqual(SEVENTY[names[5]], ' ')
        flakes = self.check_late(page, 390, 844, 'phone')
        page.viewport(844, 390, 3, True)
        page.wait_for('Card.screen.width > 800')
        self.assertEqual(page.evaluate('Card.showing.ms'), when)
        turned = self.check_late(page, 844, 390, 'phone-on-its-side')
        self.assertEqual(len(turned), len(flakes))
        page.evaluate('Card.freezeAt(%d)' % (when + 400))  # and the snow goes on
        self.assertEqual(len(self.drawn(page, IMG_NEVE)), len(flakes) + 2)
        self.check_end(page, 'phone-on-its-side')

        for width, height, label in ((2560, 1080, 'ultrawide'), (1024, 768, 'desktop')):
            page = self.open_card('Mario e Anna', width, height)
            when = self.late(page)
            self.tap_middle(page, width, height)
            page.evaluate('Card.freezeAt(%d)' % when)
            self.check_late(page, width, height, label)
            self.check_end(page, label)

    def invitation_contrast(self, page):
        """The invitation line's contrast against the lighter end of the
        card's red, as it is drawn (opacity included)."""
        text, ends, opacity = page.evaluate('''(() => {
            const tap = document.querySelector("#closed .tap"), style = getComputedStyle(tap);
            return [style.color, getComputedStyle(document.querySelector("#closed .card")).backgroundImage,
                    Number(style.opacity)];
        })()''')
        colour = lambda css: [int(v) for v in re.findall(r'\d+', css)[:3]]  # noqa: E731
        fore = colour(text)
        back = max((colour(c) for c in re.findall(r'rgb\([^)]*\)', ends)), key=sum)
        fore = [opacity * f + (1 - opacity) * b for f, b in zip(fore, back)]

        def luminance(rgb):
            linear = [(c / 255 / 12.92) if c / 255 <= 0.03928 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
            return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
        light, dark = sorted((luminance(fore), luminance(back)), reverse=True)
        return (light + 0.05) / (dark + 0.05)

    def test_closed_card_can_be_read_whole_in_small_windows(self):
        long_name = 'Bartolomeo' * 7  # one word, 70 letters
        for width, height, names in ((568, 320, 'Mario e Anna'), (320, 480, long_name)):
            with self.subTest(size=(width, height)):
                page = self.open_card(names, width, height, 2, True)
                self.assertEqual(page.evaluate('document.querySelector("#closed .tap").textContent'),
                                 'Tocca per aprire')  # a finger, not a mouse
                self.assertGreaterEqual(self.invitation_contrast(page), 4.5)
                card = self.box(page, '#closed .card')
                self.assertTrue(card['top'] >= 0 and card['left'] >= 0 and card['right'] <= width, card)
                page.screenshot(os.path.join(OUT, 'closed-%dx%d.png' % (width, height)))
                page.evaluate('document.getElementById("closed").scrollTop = 1e6')
                card = self.box(page, '#closed .card')
                self.assertLessEqual(card['bottom'], height)
                self.assertEqual(page.evaluate('(() => { const e = document.querySelector("#closed .from"); '
                                               'return e.scrollWidth <= e.clientWidth; })()'), True)
                self.assertIn(names, page.evaluate('document.querySelector("#closed .from").textContent'))


if __name__ == '__main__':
    unittest.main()
