"""The web card's pictures: cmake/ico_to_png.py reads icons of every depth
the player's may come in (1, 4, 8, 24, 32 bits, short palettes, the AND
mask), and the PNG it writes, read back here, holds the same pixels."""

import os
import struct
import unittest
import zlib

from cmake import ico_to_png

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))

SIZE = 32


def read_png(data):
    """RGBA rows of a non-interlaced 8-bit RGBA or indexed PNG with
    unfiltered rows, as ico_to_png writes them."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, chunks, idat = 8, {}, b''
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        assert zlib.crc32(kind + body) == struct.unpack('>I', data[pos + 8 + n:pos + 12 + n])[0]
        if kind == b'IDAT':
            idat += body
        else:
            chunks[kind] = body
        pos += 12 + n
    width, height, depth, colour = struct.unpack('>IIBB', chunks[b'IHDR'][:10])
    raw = zlib.decompress(idat)
    stride = (width * (4 * 8 if colour == 6 else depth) + 7) // 8
    rows = []
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        assert line[0] == 0
        line = line[1:]
        if colour == 6:
            rows.append([tuple(line[4 * x:4 * x + 4]) for x in range(width)])
        else:
            palette = chunks[b'PLTE']
            alpha = chunks.get(b'tRNS', b'')
            row = []
            for x in range(width):
                bit = x * depth
                index = (line[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
                row.append(tuple(palette[3 * index:3 * index + 3]) + (alpha[index] if index < len(alpha) else 255,))
            rows.append(row)
    return width, height, rows


def colour_of(x, y, bpp):
    return (x * 7 + y * 3) % (1 << min(bpp, 8)) if bpp <= 8 else (x * 8, y * 8, (x + y) * 4)


def masked(x, y):
    return (x + 2 * y) % 5 == 0 or x < 3


def make_icon(bpp, colours):
    """A SIZE x SIZE BMP-in-ICO of bpp bits with colours palette entries."""
    palette = [((i * 37) % 256, (i * 91) % 256, (i * 53) % 256) for i in range(colours)]
    stride = ((SIZE * bpp + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray(stride)
        for x in range(SIZE):
            if bpp <= 8:
                bit = x * bpp
                row[bit // 8] |= colour_of(x, y, bpp) % colours << (8 - bpp - bit % 8)
            else:
                r, g, b = colour_of(x, y, bpp)
                px = bytes([b, g, r]) + (b'\x00' if bpp == 32 else b'')
                row[x * bpp // 8:x * bpp // 8 + len(px)] = px
        pixels += row
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray(mask_stride)
        for x in range(SIZE):
            if masked(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, bpp, 0, 0, 0, 0,
                         colours if bpp <= 8 else 0, 0)
    dib = header + b''.join(bytes([b, g, r, 0]) for r, g, b in palette) + pixels + mask
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, bpp, len(dib), 22)
    return struct.pack('<HHH', 0, 1, 1) + entry + dib, palette


class IconPictureTest(unittest.TestCase):
    def test_every_depth_and_palette_length(self):
        for bpp, colours in ((1, 2), (4, 16), (4, 9), (8, 256), (8, 40), (24, 0), (32, 0)):
            with self.subTest(bpp=bpp, colours=colours):
                icon, palette = make_icon(bpp, colours)
                width, height, png = ico_to_png.icon_to_png(icon)
                self.assertEqual((width, height), (SIZE, SIZE))
                _, _, rows = read_png(png)
                for y in range(SIZE):
                    for x in range(SIZE):
                        if masked(x, y):
                            self.assertEqual(rows[y][x][3], 0, (x, y))
                            continue
                        c = colour_of(x, y, bpp)
                        expected = palette[c % colours] if bpp <= 8 else c
                        self.assertEqual(rows[y][x], tuple(expected) + (255,), (x, y))

    def test_damaged_icon_is_refused(self):
        icon, _ = make_icon(8, 256)
        for bad in (icon[:4], icon[:600], b'\x00\x00\x02\x00' + icon[4:]):
            with self.assertRaises(ico_to_png.IconError):
                ico_to_png.icon_to_png(bad)


if __name__ == '__main__':
    unittest.main()
