"""The generator's GIF reader (through gif_dump) against the independent
reader of tests/assets/test_generator_art.py: every frame of every GIF picture the
generator shows, pixel for pixel, transparency included.

    gif_against_artwork.py GIF_DUMP"""

import os
import struct
import subprocess
import sys
import unittest

from tests.assets import test_generator_art as reader

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

GIF_DUMP = None
PICTURES = ["wand.gif", "warning.gif", "mailperson.gif", "banner.gif"]


def dump(path):
    out = subprocess.run([GIF_DUMP, path], stdout=subprocess.PIPE, check=True).stdout
    line, _, rest = out.partition(b"\n")
    width, height, count = map(int, line.split())
    frames = []
    for _ in range(count):
        delay_line, _, rest = rest.partition(b"\n")
        size = width * height * 4
        values = struct.unpack("<%dI" % (width * height), rest[:size])
        rest = rest[size:]
        rows = [[None if v >> 24 == 0 else ((v >> 16) & 255, (v >> 8) & 255, v & 255)
                 for v in values[y * width:(y + 1) * width]] for y in range(height)]
        frames.append((int(delay_line), rows))
    return width, height, frames


class GifReaderTest(unittest.TestCase):
    def test_every_frame_matches_the_independent_reader(self):
        for name in PICTURES:
            with self.subTest(name):
                path = os.path.join(ROOT, "assets", "generator", name)
                with open(path, "rb") as f:
                    gif = reader.parse_gif(f.read())
                width, height, frames = dump(path)
                self.assertEqual((width, height), (gif["w"], gif["h"]))
                want = reader.gif_pictures(gif)
                self.assertEqual(len(frames), len(want))
                for i, ((delay, rows), expected) in enumerate(zip(frames, want)):
                    self.assertEqual(delay, gif["frames"][i]["delay"])
                    self.assertEqual(rows, expected, "frame %d" % i)


if __name__ == "__main__":
    GIF_DUMP = sys.argv.pop(1)
    unittest.main()
