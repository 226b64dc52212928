"""The card's frame on a screen: it covers the desktop with a copy of it, on
top, warns on small screens, and ends at a character key only."""

import os
import unittest

from devkit.pictures import rect_contains
from devkit.wine import DIST, Session, wait_exit

PLAYER = os.path.join(DIST, "Nevalto.exe")
SNOWFLAKE = (32, 104, 32, 32)
TRIANGLE = (120, 72, 32, 32)
VK_A, VK_SPACE, VK_RIGHT, VK_F1, VK_RETURN = 0x41, 0x20, 0x27, 0x70, 0x0D

RESOLUTION_LINES = ("Per visualizzare correttamente il messaggio\r\n"
                    "occorre impostare una risoluzione video\r\n"
                    "non inferiore a 800x600.\r\n"
                    "Modificare la risoluzione video e riprovare.")


class FullScreenCardTest(unittest.TestCase):
    def test_covers_1024x768_and_a_letter_ends_it(self):
        with Session(1024, 768) as s:
            card = s.start(PLAYER)
            self.assert_covering(s, 1024, 768, "frame-1024x768.png")
            s.keys(VK_A)
            self.assertTrue(wait_exit(card, 10), "a character key must end the card after its fade")

    def test_covers_800x600_and_ignores_clicks_arrows_and_function_keys(self):
        with Session(800, 600) as s:
            card = s.start(PLAYER)
            self.assert_covering(s, 800, 600, "frame-800x600.png")
            s.click(400, 300)
            s.keys(VK_RIGHT, VK_F1)
            self.assertFalse(wait_exit(card, 3), "only keys that type a character end the card")
            s.keys(VK_SPACE)
            self.assertTrue(wait_exit(card, 10))

    def assert_covering(self, s, width, height, shot_name):
        info = s.wait_window("NevaltoCard")
        self.assertIsNotNone(info, "the card window did not appear")
        self.assertEqual(info.window, (0, 0, width, height))
        self.assertEqual(info.client, (0, 0, width, height))
        self.assertTrue(info.flag("topmost"))
        self.assertTrue(info.flag("toolwindow"), "a card has no taskbar button")
        self.assertFalse(info.flag("caption"))
        shot = s.screenshot(save_as=shot_name)
        differing = shot.differences(s.desktop)
        # The show has begun drawing its tree from the bottom by now.
        tree = ((width - 600) // 2, height - 500, 640, 432)
        outside = [p for p in differing if not any(rect_contains(r, p) for r in (SNOWFLAKE, TRIANGLE, tree))]
        self.assertEqual(outside[:10], [], "the card must look like the desktop but for its pictures")
        self.assertGreater(sum(rect_contains(SNOWFLAKE, p) for p in differing), 100)
        self.assertGreater(sum(rect_contains(TRIANGLE, p) for p in differing), 100)


class EndingTest(unittest.TestCase):
    """The ending runs once: what comes during its fade neither starts the
    fade again from full opacity nor cuts it short."""

    def test_a_second_key_during_the_fade_changes_nothing(self):
        self.assert_one_whole_fade("0x%x" % VK_A, "0x%x" % VK_SPACE)

    def test_a_close_during_the_fade_changes_nothing(self):
        self.assert_one_whole_fade("0x%x" % VK_RETURN, "close")

    def assert_one_whole_fade(self, first, second):
        with Session(800, 600) as s:
            card = s.start(PLAYER)
            self.assertIsNotNone(s.wait_window("NevaltoCard"), "the card window did not appear")
            rc, out = s.driver("ending", "NevaltoCard", first, second)
            self.assertEqual(rc, 0, "the card did not end: " + out)
            lines = out.split()
            self.assertIn("second", lines, "the fade never began: " + out)
            seen = [tuple(int(part.split("=")[1]) for part in line.split(" "))
                    for line in out.splitlines() if line.startswith("alpha=")]
            began = next(i for i, (alpha, _) in enumerate(seen) if alpha < 255)
            alphas = [alpha for alpha, _ in seen[began:]]
            self.assertEqual(alphas, sorted(alphas, reverse=True),
                             "the window came back towards full opacity after its fade began: %s" % alphas)
            # Hidden at the fade's last steps, before the window goes.
            self.assertIn(0, [visible for _, visible in seen[began:]], "the fade was cut short: %s" % seen)
            self.assertLess(min(alphas), 10, "the fade was cut short: %s" % alphas)
            self.assertTrue(wait_exit(card, 10))


class SmallScreenTest(unittest.TestCase):
    def test_warns_then_opens_the_designed_window(self):
        with Session(799, 600) as s:
            card = s.start(PLAYER)
            found = s.dialog("Vavuri!", timeout_ms=30000)
            self.assertIsNotNone(found, "the resolution message did not appear; card %s; windows:\n%s"
                                 % ("running" if card.poll() is None else "ended %s" % card.returncode,
                                    s.windows()))
            _, texts = found
            self.assertIn(RESOLUTION_LINES, texts)
            self.assertIn("OK", texts)
            self.assertEqual([t for t in texts if t not in (RESOLUTION_LINES, "OK")], [], "only an OK button")
            self.assertTrue(s.press_button("Vavuri!", "OK"))
            info = s.wait_window("NevaltoCard")
            self.assertIsNotNone(info)
            left, top, right, bottom = info.client
            self.assertEqual((right - left, bottom - top), (280, 155))
            self.assertLessEqual(abs(left - (799 - 280) // 2), 1)
            self.assertLessEqual(abs(top - (600 - 155) // 2), 1)
            self.assertFalse(info.flag("topmost"))
            self.assertFalse(info.flag("caption"))
            shot = s.screenshot(save_as="frame-799x600.png").crop(left, top, 280, 155)
            # The show runs here too, its tree growing from y 55 upwards: the
            # band below it is the window's own white but for the snowflake.
            band = shot.crop(0, 88, 280, 155 - 88)
            white = band.count(lambda p: p == (255, 255, 255))
            pictures = sum(band.count(lambda p: p != (255, 255, 255), (x, y - 88, 32, 32))
                           for x, y in ((32, 104), (120, 72)))
            self.assertEqual(white + pictures, 280 * (155 - 88), "the designed window is white")
            self.assertGreater(shot.count(lambda p: p != (255, 255, 255), (32, 104, 32, 32)), 100)
            self.assertGreater(shot.count(lambda p: p != (255, 255, 255), (120, 72, 32, 32)), 100)
            s.keys(VK_RETURN)
            self.assertTrue(wait_exit(card, 10))


if __name__ == "__main__":
    unittest.main()
