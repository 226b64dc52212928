#!/usr/bin/env python3
"""Checks the card player's icons in assets/player as Windows will read
them: one image per file at its smallest exact encoding (4 or 8 bits per
pixel, the palette cut to the colours used) with a 1-bit mask, the same
pixels as drawn before, transparent pixels black in the colour image, dark
rims, and the two stars sharing one mask.

Run from the repository root:  python3 -m unittest tests.assets.test_player_art
"""

import hashlib
import os
import struct
import subprocess
import sys
import tempfile
import unittest

from assets.player import make_art

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
ASSETS = os.path.join(ROOT, "assets", "player")

# name: (size, fewest and most transparent pixels, brightest rim allowed)
ICONS = {
    "neve.ico": (32, 430, 640, 150),
    "green.ico": (32, 420, 560, 80),
    "star_bright.ico": (48, 1150, 1550, 120),
    "star_dark.ico": (48, 1150, 1550, 120),
    "snowman.ico": (32, 200, 460, 125),
    "candle.ico": (32, 660, 820, 135),
    "bauble.ico": (32, 300, 500, 135),
    "window.ico": (32, 480, 720, 135),
}

# What each picture showed before its encoding was cut down: SHA-256 (first
# 16 digits) of its colours (RGB, top-down) followed by its mask (one byte a
# pixel). A new encoding must show the very same.
DRAWN = {
    "neve.ico": "af8d959902b3475b",
    "green.ico": "59790b3fef657f93",
    "star_bright.ico": "58a4e1f9f887e49f",
    "star_dark.ico": "7eff9c6e721ae151",
    "snowman.ico": "ddc499d12d0b4a82",
    "candle.ico": "a69667259b7ebda4",
    "bauble.ico": "be8358868abd220f",
    "window.ico": "6bdc15c9781a7561",
}


def luma(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


class Ico:
    """A single-image .ico (4 or 8 bits per pixel) taken apart field by field."""

    def __init__(self, data):
        self.data = data
        self.reserved, self.type, self.count = struct.unpack_from("<HHH", data, 0)
        (self.e_w, self.e_h, self.e_colours, self.e_reserved, self.e_planes,
         self.e_bpp, self.e_size, self.e_offset) = struct.unpack_from("<BBBBHHII", data, 6)
        o = self.e_offset
        (self.bi_size, self.bi_w, self.bi_h, self.bi_planes, self.bi_bpp, self.bi_comp,
         self.bi_size_image, self.bi_xppm, self.bi_yppm, self.bi_used,
         self.bi_important) = struct.unpack_from("<IiiHHIIiiII", data, o)
        self.w = self.bi_w
        self.h = self.bi_h // 2
        pal = o + self.bi_size
        entries = self.bi_used or 1 << self.bi_bpp
        self.quads = [tuple(data[pal + 4 * i: pal + 4 * i + 4]) for i in range(entries)]
        self.palette = [(b[2], b[1], b[0]) for b in self.quads]
        self.xor_stride = (self.w * self.bi_bpp + 31) // 32 * 4
        self.and_stride = (self.w + 31) // 32 * 4
        xor = pal + 4 * entries
        self.mask_offset = andm = xor + self.xor_stride * self.h
        self.end = andm + self.and_stride * self.h
        # rows stored bottom-up; keep them top-down here
        self.index = []
        self.mask = []
        for y in range(self.h):
            row = xor + (self.h - 1 - y) * self.xor_stride
            if self.bi_bpp == 8:
                self.index.append(list(data[row:row + self.w]))
            else:
                self.index.append([data[row + (x >> 1)] >> (0 if x & 1 else 4) & 15
                                   for x in range(self.w)])
            row = data[andm + (self.h - 1 - y) * self.and_stride:
                       andm + (self.h - y) * self.and_stride]
            self.mask.append([bool(row[x >> 3] & (0x80 >> (x & 7))) for x in range(self.w)])

    def drawn(self):
        colours = b"".join(bytes(self.colour(x, y)) for y in range(self.h) for x in range(self.w))
        mask = bytes(int(m) for row in self.mask for m in row)
        return hashlib.sha256(colours + mask).hexdigest()[:16]

    def colour(self, x, y):
        return self.palette[self.index[y][x]]

    def transparent(self):
        return sum(sum(r) for r in self.mask)

    def opaque(self):
        return [(x, y) for y in range(self.h) for x in range(self.w) if not self.mask[y][x]]

    def rim(self):
        out = []
        for x, y in self.opaque():
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < self.w and 0 <= ny < self.h) or self.mask[ny][nx]:
                    out.append((x, y))
                    break
        return out


def load(name):
    with open(os.path.join(ASSETS, name), "rb") as fh:
        return Ico(fh.read())


class FormatTest(unittest.TestCase):

    def test_headers(self):
        for name, (size, _, _, _) in ICONS.items():
            with self.subTest(name):
                ico = load(name)
                bpp = ico.bi_bpp
                self.assertEqual((ico.reserved, ico.type, ico.count), (0, 1, 1))
                self.assertEqual((ico.e_w, ico.e_h), (size, size))
                self.assertEqual((ico.e_colours, ico.e_reserved, ico.e_planes, ico.e_bpp),
                                 (ico.bi_used if bpp == 4 else 0, 0, 1, bpp))
                self.assertEqual(ico.e_offset, 22)
                self.assertEqual(ico.e_size, len(ico.data) - 22)
                self.assertEqual((ico.bi_size, ico.bi_w, ico.bi_h, ico.bi_planes, ico.bi_comp),
                                 (40, size, 2 * size, 1, 0))
                self.assertEqual(ico.bi_size_image,
                                 (ico.xor_stride + ico.and_stride) * size)
                self.assertEqual((ico.bi_xppm, ico.bi_yppm, ico.bi_important), (0, 0, 0))
                # nothing after the mask: a second image would hide there
                self.assertEqual(ico.end, len(ico.data))

    def test_smallest_exact_encoding_of_the_same_pictures(self):
        for name in ICONS:
            with self.subTest(name):
                ico = load(name)
                used = {i for row in ico.index for i in row} | {0}
                # every palette entry is used, and the pixels take 4 bits
                # whenever 16 entries hold them
                self.assertEqual(used, set(range(ico.bi_used)))
                self.assertEqual(ico.bi_bpp, 4 if ico.bi_used <= 16 else 8)
                self.assertTrue(all(q[3] == 0 for q in ico.quads), "RGBQUAD reserved byte")
                self.assertGreater(len(used), 8, "a flat drawing, not shaded")
                self.assertEqual(ico.drawn(), DRAWN[name])

    def test_padding_is_zero(self):
        ico = load("star_bright.ico")      # 48 wide: the mask rows carry padding
        for y in range(ico.h):
            row = ico.data[ico.mask_offset + y * ico.and_stride:
                           ico.mask_offset + (y + 1) * ico.and_stride]
            self.assertEqual(row[6:], b"\0\0")


class MaskTest(unittest.TestCase):

    def test_transparent_share(self):
        for name, (_, lo, hi, _) in ICONS.items():
            with self.subTest(name):
                n = load(name).transparent()
                self.assertGreaterEqual(n, lo)
                self.assertLessEqual(n, hi)

    def test_transparent_pixels_are_black(self):
        # the AND/XOR way of drawing leaves the desktop untouched only if so
        for name in ICONS:
            with self.subTest(name):
                ico = load(name)
                for y in range(ico.h):
                    for x in range(ico.w):
                        if ico.mask[y][x]:
                            self.assertEqual(ico.colour(x, y), (0, 0, 0), (x, y))

    def test_rims_are_dark(self):
        # with a 1-bit mask a pale rim pixel shows as a halo on dark desktops
        for name, (_, _, _, limit) in ICONS.items():
            with self.subTest(name):
                ico = load(name)
                rim = ico.rim()
                self.assertTrue(rim)
                bright = [(p, ico.colour(*p)) for p in rim if luma(ico.colour(*p)) > limit]
                self.assertEqual(bright, [])

    def test_one_piece(self):
        # stray specks away from the drawing would show as dirt
        for name in ICONS:
            with self.subTest(name):
                ico = load(name)
                todo = set(ico.opaque())
                start = next(iter(todo))
                seen, stack = {start}, [start]
                while stack:
                    x, y = stack.pop()
                    for dx in (-1, 0, 1):
                        for dy in (-1, 0, 1):
                            p = (x + dx, y + dy)
                            if p in todo and p not in seen:
                                seen.add(p)
                                stack.append(p)
                self.assertEqual(len(seen), len(todo))


class DrawingTest(unittest.TestCase):

    def test_stars_share_mask_not_colours(self):
        bright, dark = load("star_bright.ico"), load("star_dark.ico")
        self.assertEqual(bright.mask, dark.mask)
        inside = [p for p in bright.opaque() if p not in set(bright.rim())]
        lb = sum(luma(bright.colour(*p)) for p in inside) / len(inside)
        ld = sum(luma(dark.colour(*p)) for p in inside) / len(inside)
        self.assertGreater(lb - ld, 25, "the dark star must read darker")
        # gold, not grey: red above green above blue
        for ico in (bright, dark):
            r, g, b = (sum(ico.colour(*p)[i] for p in inside) / len(inside) for i in range(3))
            self.assertGreater(r, g)
            self.assertGreater(g, b + 60)
        # same brown outline on both
        self.assertEqual({bright.colour(*p) for p in bright.rim()},
                         {dark.colour(*p) for p in dark.rim()})

    def test_green_is_a_triangle_lit_from_the_left(self):
        ico = load("green.ico")
        widths = [sum(1 for m in row if not m) for row in ico.mask]
        self.assertLessEqual(widths[0], 4)
        self.assertGreaterEqual(widths[-1], 30)
        self.assertEqual(widths, sorted(widths), "wider towards the base")
        rim = set(ico.rim())
        left, right = [], []
        for x, y in ico.opaque():
            if (x, y) in rim:
                continue
            (left if x < 11 else right if x > 20 else []).append(luma(ico.colour(x, y)))
        self.assertGreater(sum(left) / len(left), sum(right) / len(right) + 40)
        for p in rim:
            r, g, b = ico.colour(*p)
            self.assertLess(max(r, g, b), 80)
            self.assertGreaterEqual(g, r)

    def test_snowflake_is_pale_blue_and_symmetric(self):
        ico = load("neve.ico")
        # drawn round the centre of pixel (15, 15): a half turn maps it onto itself
        off = sum(1 for x, y in ico.opaque() if ico.mask[30 - y][30 - x])
        self.assertLessEqual(off, 6)
        pale = [ico.colour(*p) for p in ico.opaque() if luma(ico.colour(*p)) > 170]
        self.assertGreater(len(pale), 120)
        self.assertTrue(all(c[2] >= c[0] for c in pale), "icy, not warm")

    def test_candle_flame_above_red_wax(self):
        for name in ("candle.ico", "window.ico"):
            with self.subTest(name):
                ico = load(name)
                # wax is red with a little blue; the flame's rim has none
                red = [y for x, y in ico.opaque()
                       if ico.colour(x, y)[0] > 150 and ico.colour(x, y)[1] < 80
                       and ico.colour(x, y)[2] >= 15]
                flame = [y for x, y in ico.opaque()
                         if ico.colour(x, y)[0] > 230 and ico.colour(x, y)[1] > 190]
                self.assertGreater(len(red), 60)
                self.assertGreater(len(flame), 8)
                self.assertLess(max(flame), min(red) + 2, "flame sits on top")

    def test_snowman_has_coal_and_orange(self):
        ico = load("snowman.ico")
        cols = [ico.colour(*p) for p in ico.opaque()]
        snow = [c for c in cols if luma(c) > 150 and c[2] >= c[0]]
        coal = [c for c in cols if max(c) < 40]
        orange = [c for c in cols if c[0] > 200 and 80 < c[1] < 160 and c[2] < 60]
        self.assertGreater(len(snow), 180)
        self.assertGreater(len(coal), 20)
        self.assertGreater(len(orange), 8)

    def test_bauble_red_under_green(self):
        ico = load("bauble.ico")
        green = [y for x, y in ico.opaque()
                 if ico.colour(x, y)[1] > ico.colour(x, y)[0] + 30]
        red = [y for x, y in ico.opaque()
               if ico.colour(x, y)[0] > 140 and ico.colour(x, y)[1] < 90]
        self.assertGreater(len(green), 60)
        self.assertGreater(len(red), 150)
        self.assertLess(sum(green) / len(green), 9)
        self.assertGreater(sum(red) / len(red), 16)

    def test_window_has_holly(self):
        ico = load("window.ico")
        cols = [ico.colour(*p) for p in ico.opaque()]
        self.assertGreater(len([c for c in cols if c[1] > c[0] + 40]), 60)


class FreshnessTest(unittest.TestCase):

    def test_few_colours_take_four_bits(self):
        # no picture of the card has so few colours yet: a made-up one, 21
        # wide so its rows carry padding

        class Picture:
            w, h = 21, 21
            mask = [[x + y < 6 for x in range(21)] for y in range(21)]
            rgb = [[(0, 0, 0) if x + y < 6 else (40 * x + 40, 60, 200) if x < 3 else (250, 40, 40)
                    for x in range(21)] for y in range(21)]

        ico = Ico(make_art.ico_bytes(Picture))
        self.assertEqual((ico.bi_bpp, ico.e_bpp, ico.bi_used, ico.end), (4, 4, 5, len(ico.data)))
        self.assertEqual([[ico.colour(x, y) for x in range(21)] for y in range(21)], Picture.rgb)
        self.assertEqual(ico.mask, Picture.mask)

    def test_committed_icons_match_the_script(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, "-m", "assets.player.make_art", out, "--no-preview"], cwd=ROOT, check=True)
            self.assertFalse(os.path.exists(os.path.join(out, "preview.png")))
            for name in ICONS:
                with self.subTest(name):
                    with open(os.path.join(out, name), "rb") as a, \
                            open(os.path.join(ASSETS, name), "rb") as b:
                        self.assertEqual(a.read(), b.read(),
                                         "assets are stale: run python3 -m assets.player.make_art")


if __name__ == "__main__":
    unittest.main()
