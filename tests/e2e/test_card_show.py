"""The whole show on a screen: the tree, ornaments, star, credit line,
snowman, greeting and snow where the card puts them, the tune written for the
sequencer, the names of a real card, and the ending by itself or at a key."""

import glob
import os
import shutil
import time
import unittest

from devkit.pictures import Icon
from devkit.wine import DIST, OUT, PREFIX, ROOT, Session, wait_exit

PLAYER = os.path.join(DIST, "Nevalto.exe")
ART = os.path.join(ROOT, "assets", "player")
GREEN, BAUBLE, CANDLE = (Icon(os.path.join(ART, n)) for n in ("green.ico", "bauble.ico", "candle.ico"))
STAR_BRIGHT, STAR_DARK, SNOWMAN = (Icon(os.path.join(ART, n))
                                   for n in ("star_bright.ico", "star_dark.ico", "snowman.ico"))

# Where the garland turns on an 800 x 600 screen; other screens shift it.
TURN_POINTS = [(710, 463), (140, 419), (660, 378), (190, 341), (610, 304),
               (240, 268), (560, 228), (290, 194), (510, 163), (340, 139)]
RED = (255, 0, 0)
SHADOW = (232, 232, 232)
GREETING_FROM = 18     # the greeting comes after about 21 s here; never before this
GREETING_BY = 45       # a slow machine stretches the tree, which paces itself
SNOW_LATER = 5         # seconds into the final wait, with more snow
VK_A = 0x41


def red(p):
    return p == RED


class Layout:
    """The show's figures for a screen size: the 800 x 600 ones, shifted."""

    def __init__(self, width, height):
        half = (width - 600) / 2
        left = int(half) if half - int(half) != 0.5 else int(half) + (int(half) % 2)
        self.dx, self.dy = left - 100, height - 600
        self.width, self.height = width, height

    def at(self, x, y):
        return x + self.dx, y + self.dy


def run_show(test, session, program, shot_name):
    """Starts a card and waits for its greeting; returns (process, start
    time, time of the greeting, a screenshot just after it, in the final
    wait)."""
    start = time.time()
    card = session.start(program)
    test.assertIsNotNone(session.wait_window("NevaltoCard"), "the card window did not appear")
    time.sleep(GREETING_FROM)
    band = (0, session.height - 200, session.width, 50)
    while session.screenshot().count(red, band) < 2000:
        test.assertLess(time.time() - start, GREETING_BY, "the greeting never came")
        time.sleep(0.5)
    greeted = time.time()
    time.sleep(1.5)  # the senders' line follows 200 ms later
    return card, start, greeted, session.screenshot(save_as=shot_name)


class ShowTest(unittest.TestCase):
    def check_show(self, width, height):
        layout = Layout(width, height)
        with Session(width, height) as s:
            for old in glob.glob(os.path.join(PREFIX, "drive_c", "users", "*", "**", "Miditemp.mid"), recursive=True):
                with open(old, "wb") as f:
                    f.write(b"a longer leftover of an earlier run" * 100)
            card, start, greeted, shot = run_show(self, s, PLAYER, "show-%dx%d.png" % (width, height))
            half_plus = height // 2 + 32  # lowest reach of a flake

            # The garland: the first stamp's left edge exactly, then green
            # stamps half-way along each of the twelve runs (the turning
            # points themselves are where the ornaments must hang, below).
            x, y = layout.at(100, 500)
            self.assertGreater(GREEN.match(shot, x, y, columns=range(0, 10)), 0.9, "first stamp")
            greens = set(GREEN.opaque.values())
            for run, (mx, my) in enumerate(_run_middles(), start=1):
                box = layout.at(mx, my) + (32, 32)
                self.assertGreater(shot.count(lambda p: p in greens, box), 300, "stamps of run %d" % run)

            # Ornaments and candles hang at the turning points. Flakes may land
            # on the upper ones; the greeting, written later, covers those in
            # its band.
            greeting = (height - 200 - 32, height - 200 + 50)
            for row, (tx, ty) in enumerate(TURN_POINTS):
                for icon, (x, y), name in ((BAUBLE, layout.at(tx, ty + 24), "bauble"),
                                           (CANDLE, layout.at(tx, ty - 8), "candle")):
                    if greeting[0] < y < greeting[1]:
                        continue
                    if y >= half_plus:
                        self.assertGreater(icon.match(shot, x, y), 0.85, "%s %d" % (name, row))
                    else:
                        self.assert_best_placed(icon, shot, x, y, "%s %d" % (name, row))

            # The star twinkles: bright or dark, always at the same place.
            sx, sy = layout.at(402, 67)
            star = STAR_BRIGHT if STAR_BRIGHT.match(shot, sx, sy) > STAR_DARK.match(shot, sx, sy) else STAR_DARK
            self.assert_best_placed(star, shot, sx, sy, "star")

            # Credit line: a red band with white letters, the snowman at its left.
            lx, ly = layout.at(110, 540)
            self.assertGreater(shot.count(red, (lx, ly, 600, 17)), 600 * 17 * 0.7)
            self.assertGreater(shot.count(lambda p: p == (255, 255, 255), (lx, ly, 600, 17)), 150)
            self.assertGreater(SNOWMAN.match(shot, *layout.at(74, 532)), 0.95, "snowman")

            # The greeting: red letters with their light grey shadow.
            top = height - 200
            self.assertGreater(shot.count(red, (0, top, width, 50)), 2000)
            self.assertGreater(shot.count(lambda p: p == SHADOW, (0, top, width, 50)), 200)
            # No senders' line on a card whose field was never written.
            mid = width // 2
            self.assertEqual(shot.count(red, (mid - 200, height - 140, 400, 45)), 0)

            # Snow: nothing is drawn left of the tree below half the height
            # plus 32, the lowest a flake reaches.
            desktop = s.desktop
            tree_left = layout.at(100, 0)[0] - 40
            below = [(x, y) for x, y in _region(0, half_plus, tree_left, height - 200 - half_plus)
                     if shot.pixel(x, y) != desktop.pixel(x, y)]
            self.assertEqual(below[:5], [], "nothing is drawn left of the tree below the snow line")

            # The tune went to the temporary folder for the sequencer, whole.
            written = glob.glob(os.path.join(PREFIX, "drive_c", "users", "*", "**", "Miditemp.mid"),
                                recursive=True)
            self.assertEqual(len(written), 1)
            with open(written[0], "rb") as a, open(os.path.join(ART, "tune.mid"), "rb") as b:
                self.assertEqual(a.read(), b.read())

            # Flakes, five a second since the star was lit, in the upper half
            # around the tree (the window's two own pictures aside).
            later = session_shot_at(s, greeted, SNOW_LATER)
            tree = (layout.at(90, 0)[0], layout.at(0, 60)[1], 652, half_plus)
            flakes = sum(1 for x, y in _region(0, 0, width, half_plus)
                         if not _inside(tree, x, y) and not _inside((32, 104, 32, 32), x, y)
                         and not _inside((120, 72, 32, 32), x, y) and later.pixel(x, y) != desktop.pixel(x, y))
            self.assertGreater(flakes, 500, "flakes fall in the upper half")

            # And it ends by itself: 12 s after the last drawing, then the fade.
            self.assertTrue(wait_exit(card, 30), "the card must end by itself")
            self.assertGreater(time.time() - greeted, 11, "after holding the finished card about 12 s")
            self.assertFalse(os.path.exists(written[0]), "the tune's file stays behind after the show")

    def assert_best_placed(self, icon, shot, x, y, what):
        """Flakes may cover part of a picture in the upper half: what shows
        of it must still match best at exactly its place."""
        here = icon.match(shot, x, y)
        self.assertGreater(here, 0.15, what)
        for dx in range(-3, 4):
            for dy in range(-3, 4):
                if (dx, dy) != (0, 0):
                    self.assertLess(icon.match(shot, x + dx, y + dy), here, "%s is off its place" % what)

    def test_show_on_800x600(self):
        self.check_show(800, 600)

    def test_show_on_1024x768(self):
        self.check_show(1024, 768)


class CardWithNamesTest(unittest.TestCase):
    def test_draws_the_senders_names_of_its_own_file(self):
        with Session(800, 600) as s:
            card_path = os.path.join(s.scratch, "Vavuri.exe")
            shutil.copyfile(PLAYER, card_path)
            with open(card_path, "r+b") as f:
                f.seek(-70, os.SEEK_END)
                f.write(b"Mario e Anna".ljust(70))
            card, _, _, shot = run_show(self, s, card_path, "card-with-names.png")
            self.assertGreater(shot.count(red, (200, 460, 400, 45)), 800, "the names in red letters")
            self.assertGreater(shot.count(lambda p: p == SHADOW, (200, 460, 400, 48)), 100)
            s.keys(VK_A)
            self.assertTrue(wait_exit(card, 10))


def near_black(p):
    return max(p) <= 16


class GarlandTest(unittest.TestCase):
    """Each stamp appears whole: a picture's mask is never seen without its
    colours (a black shape running along the garland)."""

    SHOTS = 22

    def test_no_stamp_shows_as_a_black_shape(self):
        with Session(800, 600) as s:
            card = s.start(PLAYER)
            self.assertIsNotNone(s.wait_window("NevaltoCard"))
            desktop = s.desktop
            garland = (100 - 4, 96 - 4, 742 - 100 + 8, 532 - 96 + 8)
            left, top, width, height = garland
            # Pixels the desktop itself shows near-black are not counted.
            dark_desktop = {(x, y) for x, y in _region(left, top, width, height) if near_black(desktop.pixel(x, y))}
            shots, black = 0, []
            while shots < self.SHOTS and card.poll() is None:
                shot = s.screenshot()
                shots += 1
                dark = [(x, y) for x, y in _region(left, top, width, height)
                        if (x, y) not in dark_desktop and near_black(shot.pixel(x, y))]
                if dark:
                    shot.save_png(os.path.join(OUT, "garland-black-%02d.png" % shots))
                    black.append((shots, len(dark), dark[0]))
            greens = set(GREEN.opaque.values())
            grown = shot.count(lambda p: p in greens, garland)
            s.keys(VK_A)
            wait_exit(card, 10)
        self.assertEqual(shots, self.SHOTS, "the card ended before the pictures were taken")
        self.assertGreater(grown, 20000, "the last picture was taken while the garland grew")
        self.assertEqual(black, [], "(picture, near-black pixels, first one) with a black shape")


class KeyDuringGarlandTest(unittest.TestCase):
    def test_a_key_ends_the_show_at_once(self):
        with Session(800, 600) as s:
            start = time.time()
            card = s.start(PLAYER)
            s.wait_window("NevaltoCard")
            time.sleep(5)
            s.keys(VK_A)
            self.assertTrue(wait_exit(card, 6), "the fade takes about two seconds, then the card ends")
            self.assertLess(time.time() - start, 16, "the garland alone takes 16 s")


def _run_middles():
    """Half-way along each run, on an 800 x 600 screen: runs 1 to 10 end one
    step before their turning points; run 11 spans 350 to 400; run 12 climbs
    at 410 from about 126.5 to 96.5."""
    starts = [(100, 500)] + [(tx - 10 if row % 2 == 0 else tx + 10, ty) for row, (tx, ty) in enumerate(TURN_POINTS)]
    middles = [((a[0] + b[0]) // 2, (a[1] + b[1]) // 2) for a, b in zip(starts, starts[1:])]
    return middles + [(375, 134), (410, 111)]


def session_shot_at(session, start, seconds):
    while time.time() - start < seconds:
        time.sleep(0.2)
    return session.screenshot()


def _inside(box, x, y):
    left, top, width, height = box
    return left <= x < left + width and top <= y < top + height


def _region(left, top, width, height):
    for y in range(top, top + height):
        for x in range(left, left + width):
            yield x, y


if __name__ == "__main__":
    unittest.main()
