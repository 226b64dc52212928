#!/usr/bin/env python3
"""The generator's deflate encoder and archive writer (through zip_write)
read back by Python's zlib and zipfile: empty, tiny, repetitive and random
data, every match length and a spread of distances, the real card; member
names in the ANSI code page and in UTF-8.

    zip_against_python.py ZIP_WRITE"""

import io
import os
import random
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PLAYER = os.path.join(ROOT, "dist", "Nevalto.exe")
ZIP_WRITE = None
STORED_BLOCK = 65535


def deflate_bound(n):
    return n + n // 8 + 16


def stored_length(n):
    return n + 5 * max(1, -(-n // STORED_BLOCK))


def every_match(rng):
    """Random bytes, then copies of earlier bytes of every length from 3 to
    258 at distances from 1 to 32768 (overlapping ones included)."""
    data = bytearray(rng.randbytes(33000))
    distances = [1, 2, 3, 4, 5, 7, 8, 13, 24, 33, 100, 257, 1024, 4097, 9000, 16385, 24577, 32768]
    for length in range(3, 259):
        distance = distances[length % len(distances)]
        for _ in range(length):
            data.append(data[-distance])
        data += rng.randbytes(5)
    return bytes(data)


def the_card():
    with open(PLAYER, "rb") as f:
        image = f.read()
    return image[:-70] + b"Mario e Anna".ljust(70)


class Scratch:
    def __init__(self):
        self.dir = tempfile.TemporaryDirectory()

    def run(self, *args, data):
        source = os.path.join(self.dir.name, "in")
        target = os.path.join(self.dir.name, "out")
        with open(source, "wb") as f:
            f.write(data)
        done = subprocess.run([ZIP_WRITE, args[0], source, target] + list(args[1:]))
        if done.returncode != 0:
            raise AssertionError("zip_write %s failed with %d" % (args[0], done.returncode))
        with open(target, "rb") as f:
            return f.read()


class DeflateTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = Scratch()
        rng = random.Random(1224)
        cls.cases = {
            "empty": b"",
            "one byte": b"A",
            "two bytes": b"\xff\x00",
            "three bytes": b"abc",
            "short repeat": b"abcabcabc",
            "repetitive text": b"Buon Natale e felice anno nuovo! " * 3000,
            "zeros": bytes(100000),
            "random": rng.randbytes(70000),
            "random, several stored blocks": rng.randbytes(150000),
            "every literal": bytes(range(256)) * 3,
            "every match length and distance": every_match(rng),
            "the card": the_card(),
        }

    def test_streams_inflate_to_the_data(self):
        for name, data in self.cases.items():
            with self.subTest(name):
                stream = self.scratch.run("deflate", data=data)
                self.assertEqual(zlib.decompress(stream, -15), data)
                self.assertLessEqual(len(stream), deflate_bound(len(data)))
                self.assertLessEqual(len(stream), stored_length(len(data)), "never more than stored blocks")

    def test_what_repeats_is_compressed(self):
        for name, most in (("repetitive text", 0.02), ("zeros", 0.01), ("every literal", 0.5),
                           ("every match length and distance", 0.8)):
            with self.subTest(name):
                data = self.cases[name]
                stream = self.scratch.run("deflate", data=data)
                self.assertLess(len(stream), len(data) * most, "%d bytes of %d" % (len(stream), len(data)))

    def test_random_data_falls_back_to_stored_blocks(self):
        for name in ("random", "random, several stored blocks"):
            with self.subTest(name):
                data = self.cases[name]
                stream = self.scratch.run("deflate", data=data)
                self.assertEqual(len(stream), stored_length(len(data)))
                pos, blocks, final = 0, [], 0
                while not final:
                    final = stream[pos] & 1
                    self.assertEqual(stream[pos] & 6, 0, "block type 00: stored")
                    length, inverse = int.from_bytes(stream[pos + 1:pos + 3], "little"), \
                        int.from_bytes(stream[pos + 3:pos + 5], "little")
                    self.assertEqual(length ^ inverse, 0xFFFF)
                    blocks.append(stream[pos + 5:pos + 5 + length])
                    pos += 5 + length
                self.assertEqual(pos, len(stream), "the final block is the last one")
                self.assertEqual(b"".join(blocks), data)

    def test_empty_data_is_one_fixed_block_with_its_end(self):
        self.assertEqual(self.scratch.run("deflate", data=b""), b"\x03\x00")


class ArchiveTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = Scratch()

    def archive(self, data, name, encoding="ansi", when=(2024, 12, 24, 18, 30, 47)):
        return self.scratch.run("zip", name, encoding, *[str(v) for v in when], data=data)

    def check(self, raw, data, name_bytes, utf8):
        with zipfile.ZipFile(io.BytesIO(raw)) as z:
            self.assertIsNone(z.testzip())
            infos = z.infolist()
            self.assertEqual(len(infos), 1)
            info = infos[0]
            self.assertEqual(z.read(info), data)
            self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED)
            self.assertEqual(info.CRC, zlib.crc32(data))
            self.assertEqual(info.file_size, len(data))
            self.assertEqual(info.flag_bits & 0x800, 0x800 if utf8 else 0)
            self.assertEqual(info.header_offset, 0)
            self.assertEqual(info.filename.encode("utf-8" if utf8 else "cp437"), name_bytes)
            self.assertEqual(info.date_time, (2024, 12, 24, 18, 30, 46), "DOS time keeps even seconds")
        # One member, its central entry and the end record: nothing more.
        self.assertEqual(len(raw), 30 + 46 + 22 + 2 * len(name_bytes) + info.compress_size)
        self.assertEqual(raw[-22:-18], b"PK\x05\x06")

    def test_data_of_every_kind_round_trips(self):
        rng = random.Random(2512)
        for label, data in (("empty", b""), ("tiny", b"Ciao"), ("repetitive", b"neve " * 20000),
                            ("random", rng.randbytes(80000)), ("the card", the_card())):
            with self.subTest(label):
                raw = self.archive(data, "Auguri.exe")
                self.check(raw, data, b"Auguri.exe", False)

    def test_the_card_zipped_comes_near_zlibs_best(self):
        # The card carries its pictures deflated already; what is left to
        # win, our fixed codes must nearly win too.
        data = the_card()
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        best = len(packer.compress(data) + packer.flush())
        raw = self.archive(data, "Auguri.exe")
        self.assertLess(len(raw), best * 1.1 + 200, "%d bytes against zlib's %d" % (len(raw), best))

    def test_names_in_the_code_page_and_in_utf8(self):
        data = b"Buon Natale " * 100
        ansi = "Zo\u00eb e Andr\u00e9.exe".encode("cp1252")
        self.check(self.archive(data, ansi), data, ansi, False)
        utf8 = "Auguri \u03b1\u03b8 \u65e5\u672c.exe".encode("utf-8")
        raw = self.archive(data, utf8, "utf8")
        self.check(raw, data, utf8, True)
        with zipfile.ZipFile(io.BytesIO(raw)) as z:
            self.assertEqual(z.namelist(), ["Auguri \u03b1\u03b8 \u65e5\u672c.exe"])

    def test_dos_date_and_time(self):
        for when, expected in (((1980, 1, 1, 0, 0, 0), (1980, 1, 1, 0, 0, 0)),
                               ((2107, 12, 31, 23, 59, 59), (2107, 12, 31, 23, 59, 58)),
                               ((1979, 6, 15, 12, 0, 0), (1980, 1, 1, 0, 0, 0))):
            with self.subTest(when):
                with zipfile.ZipFile(io.BytesIO(self.archive(b"x", "a.exe", when=when))) as z:
                    self.assertEqual(z.infolist()[0].date_time, expected)


if __name__ == "__main__":
    ZIP_WRITE = sys.argv.pop(1)
    if not os.path.exists(PLAYER):
        sys.exit("zip_against_python: %s is missing: build the programs first (tools/build)" % PLAYER)
    unittest.main()
