"""tools/run as a newcomer meets it without a display: it builds, runs the
programs that ship (or says why not), makes a card for "Mario e Anna"
through the generator's window, plays it, and leaves pictures of both."""

import os
import subprocess
import time
import unittest

from devkit.pictures import Icon, Image
from devkit.wine import BUILDS, build_problem

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

OUT = os.path.join(ROOT, "out", "run")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def png_pixels(path):
    """(width, height, rows of RGB bytes) of the harness's own PNG pictures."""
    import struct
    import zlib
    data = read(path)
    width, height = struct.unpack_from(">II", data, 16)
    chunks, i = b"", 8
    while i < len(data):
        length, kind = struct.unpack_from(">I4s", data, i)
        if kind == b"IDAT":
            chunks += data[i + 8:i + 8 + length]
        i += 12 + length
    raw = zlib.decompress(chunks)
    stride = width * 3 + 1
    assert all(raw[y * stride] == 0 for y in range(height)), "unfiltered rows, as the harness writes them"
    return Image(width, height, b"".join(raw[y * stride + 1:(y + 1) * stride] for y in range(height)))


class VirtualRunTest(unittest.TestCase):
    def test_runs_what_ships_and_leaves_pictures(self):
        started = time.time()
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.pop("CAROLUX_ARCH", None)
        result = subprocess.run([os.path.join(ROOT, "tools", "run")], env=env, cwd=ROOT, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, timeout=600)
        out = result.stdout.decode("utf-8", "replace")
        self.assertEqual(result.returncode, 0, out)
        problem = build_problem(BUILDS["i686"])
        build = BUILDS["x64"] if problem else BUILDS["i686"]
        if problem:
            self.assertIn("32-bit programs cannot run here (%s)" % problem, out)
        self.assertIn("running the %s build" % build, out)

        # The generator it ran is the build's own container, and can be run again.
        generator = os.path.join(OUT, "Carolux.exe")
        self.assertEqual(read(generator), read(os.path.join(build.dist, "Carolux.exe")))
        self.assertTrue(os.stat(generator).st_mode & 0o111, "the copy keeps its run bit")

        card = read(os.path.join(OUT, "Vavuri.exe"))
        self.assertEqual(card[-70:], b"Mario e Anna".ljust(70))
        self.assertIn("the card ended by itself", out)

        pictures = {name: os.path.join(OUT, name) for name in os.listdir(OUT) if name.endswith(".png")}
        for name in ["generator.png", "card-01.png"]:
            self.assertIn(name, pictures)
            self.assertGreaterEqual(os.path.getmtime(pictures[name]), started)
        window = png_pixels(pictures["generator.png"])
        self.assertGreater(window.count(lambda p: p == (255, 255, 192)), 20000, "the pale yellow warning box")
        greens = set(Icon(os.path.join(ROOT, "assets", "player", "green.ico")).opaque.values())
        tree = max(png_pixels(path).count(lambda p: p in greens) for name, path in pictures.items()
                   if name.startswith("card-"))
        self.assertGreater(tree, 40000, "the grown tree in one of the card's pictures")


if __name__ == "__main__":
    unittest.main()
