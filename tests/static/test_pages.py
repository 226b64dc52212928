"""Static checks of the two one-file pages: the web card's template (and the
site's card page made with it) under 36 KB, below the card program; the
generator's page (and its site twin) under 96 KB; and what their packs
carry, byte for byte: the card's scene, tune and chime, and the generator's
writing code, player image and template."""

import base64
import os
import re
import unittest
import zlib

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PLAYER = os.path.join(ROOT, "dist", "Nevalto.exe")
WEB = os.path.join(ROOT, "build", "host", "web")
TEMPLATE = os.path.join(WEB, "card-template.html")
SITE_CARD = os.path.join(WEB, "biglietto.html")
GENERATOR_PAGE = os.path.join(ROOT, "dist", "Carolux.html")
SITE_GENERATOR_PAGE = os.path.join(ROOT, "dist", "site", "index.html")
WRITER = os.path.join(ROOT, "build", "host", "web", "writer.wasm")

# A friend opens the web card on a phone: smaller than the card program.
WEB_CARD_CEILING = 36 * 1024
GENERATOR_PAGE_CEILING = 96 * 1024


def read(path):
    with open(path, "rb") as f:
        return f.read()


def pack_parts(page, name):
    """The parts of the page's pack (const NAME = {pack, parts}), unpacked."""
    found = re.search(rb"const %s = \{pack: \"([A-Za-z0-9+/=]*)\", parts: \[([\d, ]+)\]\};" % name.encode(), page)
    if not found:
        raise AssertionError("no %s in the page" % name)
    data = zlib.decompress(base64.b64decode(found.group(1)), -15)
    lengths = [int(n) for n in found.group(2).split(b",")]
    if sum(lengths) != len(data):
        raise AssertionError("the pack holds %d bytes, its parts %d" % (len(data), sum(lengths)))
    parts, at = [], 0
    for n in lengths:
        parts.append(data[at:at + n])
        at += n
    return parts


class WebCardPageTest(unittest.TestCase):
    def test_under_its_ceiling_and_below_the_card_program(self):
        for path in (TEMPLATE, SITE_CARD):
            with self.subTest(os.path.basename(path)):
                size = os.path.getsize(path)
                self.assertLessEqual(size, WEB_CARD_CEILING)
                self.assertLess(size, os.path.getsize(PLAYER))

    def test_its_pack_holds_the_scene_tune_chime_and_sound_script(self):
        wasm, tune, chime, sound = pack_parts(read(TEMPLATE), "CARD_DATA")
        self.assertEqual(wasm, read(os.path.join(WEB, "scene.wasm")))
        self.assertEqual(tune, read(os.path.join(ROOT, "assets", "player", "tune.mid")))
        self.assertEqual(chime, read(os.path.join(ROOT, "assets", "player", "chime.wav")))
        for name in (b"Synth=", b"ShowClock=", b"Sound="):
            self.assertIn(name, sound)


class GeneratorPageTest(unittest.TestCase):
    def test_under_its_ceiling(self):
        for path in (GENERATOR_PAGE, SITE_GENERATOR_PAGE):
            with self.subTest(os.path.basename(path)):
                self.assertLessEqual(os.path.getsize(path), GENERATOR_PAGE_CEILING)

    def test_its_pack_holds_the_writing_code_player_image_and_template_byte_for_byte(self):
        for path in (GENERATOR_PAGE, SITE_GENERATOR_PAGE):
            with self.subTest(os.path.basename(path)):
                page = read(path)
                self.assertEqual(pack_parts(page, "PAGE_DATA"), [read(WRITER), read(PLAYER), read(TEMPLATE)])

    def test_carries_its_icon_once(self):
        self.assertEqual(read(GENERATOR_PAGE).count(b"data:image/png;base64,"), 1)


if __name__ == "__main__":
    unittest.main()
