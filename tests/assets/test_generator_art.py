#!/usr/bin/env python3
"""Checks the generator's artwork files with readers written here, apart
from the encoders in assets/generator/make_art.py.

    python3 -m unittest tests.assets.test_generator_art
"""

import os
import random
import struct
import unittest
import zlib

from assets.generator import make_art as art

ASSETS = art.OUT
ICONS = {'carolux.ico': (32, 32), 'envelope.ico': (32, 33),
         'info.ico': (21, 22), 'logo.ico': (32, 32)}
STILLS = {'wand.gif': (48, 48), 'warning.gif': (48, 48),
          'mailperson.gif': (18, 18)}
ALL_FILES = set(ICONS) | set(STILLS) | {'hand.cur', 'banner.gif'}


def read(name):
    with open(os.path.join(ASSETS, name), 'rb') as f:
        return f.read()


# ------------------------------------------------------------- readers

def lzw_decode(data, min_size):
    """GIF LZW decoder.  Returns (indices, stats); stats counts the clear
    codes seen and the widest code read, so tests can tell the table really
    filled and was reset."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    pos = bits = nbits = 0
    stats = {'clears': 0, 'widest': 0, 'ended': False}

    def read_code(size):
        nonlocal pos, bits, nbits
        while nbits < size:
            if pos >= len(data):
                raise ValueError('LZW data ran out before the end code')
            bits |= data[pos] << nbits
            pos += 1
            nbits += 8
        code = bits & ((1 << size) - 1)
        bits >>= size
        nbits -= size
        return code

    out = []
    table = None
    size = min_size + 1
    prev = None
    while True:
        code = read_code(size)
        stats['widest'] = max(stats['widest'], size)
        if code == clear:
            stats['clears'] += 1
            table = [[i] for i in range(clear)] + [None, None]
            size, prev = min_size + 1, None
            continue
        if table is None:
            raise ValueError('stream does not start with a clear code')
        if code == eoi:
            stats['ended'] = True
            break
        if prev is None:
            if code >= clear:
                raise ValueError('first code after clear is not a literal')
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            if entry is None:
                raise ValueError('code %d is reserved' % code)
            if len(table) < 4096:
                table.append(table[prev] + [entry[0]])
        elif code == len(table) and len(table) < 4096:
            entry = table[prev] + [table[prev][0]]
            table.append(entry)
        else:
            raise ValueError('code %d beyond table of %d' % (code, len(table)))
        out.extend(entry)
        if len(table) == (1 << size) and size < 12:
            size += 1
        prev = code
    return out, stats


def parse_gif(data):
    if data[:6] not in (b'GIF87a', b'GIF89a'):
        raise ValueError('not a GIF')
    w, h, flags, bg, _ = struct.unpack('<HHBBB', data[6:13])
    pos = 13
    gct = None
    if flags & 0x80:
        n = 2 << (flags & 7)
        gct = [tuple(data[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    gif = {'version': data[:6], 'w': w, 'h': h, 'gct': gct, 'bg': bg,
           'loops': None, 'frames': [], 'trailer': False}
    gce = None

    def blocks():
        nonlocal pos
        out = []
        while True:
            n = data[pos]
            pos += 1
            if n == 0:
                return out
            out.append(data[pos:pos + n])
            pos += n

    while pos < len(data):
        kind = data[pos]
        pos += 1
        if kind == 0x3B:
            gif['trailer'] = True
            gif['after_trailer'] = len(data) - pos
            break
        if kind == 0x21:
            label = data[pos]
            pos += 1
            parts = blocks()
            if label == 0xF9:
                fl, delay, ti = struct.unpack('<BHB', parts[0][:4])
                gce = {'disposal': (fl >> 2) & 7, 'delay': delay,
                       'transparent': ti if fl & 1 else None}
            elif label == 0xFF and parts[0] == b'NETSCAPE2.0':
                assert parts[1][0] == 1
                gif['loops'] = struct.unpack('<H', parts[1][1:3])[0]
        elif kind == 0x2C:
            x, y, fw, fh, fl = struct.unpack('<HHHHB', data[pos:pos + 9])
            pos += 9
            pal = gif['gct']
            if fl & 0x80:
                n = 2 << (fl & 7)
                pal = [tuple(data[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
                pos += 3 * n
            min_size = data[pos]
            pos += 1
            raw = b''.join(blocks())
            idx, stats = lzw_decode(raw, min_size)
            if len(idx) != fw * fh:
                raise ValueError('frame has %d pixels, wants %d' % (len(idx), fw * fh))
            rows = [idx[r * fw:(r + 1) * fw] for r in range(fh)]
            if fl & 0x40:                       # interlaced row order
                order = (list(range(0, fh, 8)) + list(range(4, fh, 8)) +
                         list(range(2, fh, 4)) + list(range(1, fh, 2)))
                flat = rows
                rows = [None] * fh
                for src, dst in enumerate(order):
                    rows[dst] = flat[src]
            g = gce or {'disposal': 0, 'delay': 0, 'transparent': None}
            gif['frames'].append(dict(g, x=x, y=y, w=fw, h=fh, rows=rows,
                                      palette=pal, min_size=min_size, stats=stats))
            gce = None
        else:
            raise ValueError('unknown block 0x%02x at %d' % (kind, pos - 1))
    return gif


def gif_pictures(gif):
    """What a viewer shows after each frame, as rows of colours or None."""
    canvas = [[None] * gif['w'] for _ in range(gif['h'])]
    shots = []
    for fr in gif['frames']:
        before = [r[:] for r in canvas]
        for dy, row in enumerate(fr['rows']):
            for dx, i in enumerate(row):
                if i != fr['transparent']:
                    canvas[fr['y'] + dy][fr['x'] + dx] = fr['palette'][i]
        shots.append([r[:] for r in canvas])
        if fr['disposal'] == 2:
            for dy in range(fr['h']):
                for dx in range(fr['w']):
                    canvas[fr['y'] + dy][fr['x'] + dx] = None
        elif fr['disposal'] == 3:
            canvas = before
    return shots


def parse_icon(data):
    """Reads a one-image .ico or .cur into header fields and top-down pixels
    (colour, or None where the AND mask makes it transparent)."""
    reserved, kind, count = struct.unpack('<HHH', data[:6])
    e = struct.unpack('<BBBBHHII', data[6:22])
    entry = dict(zip(('w', 'h', 'colours', 'reserved', 'planes_or_hotx',
                      'bpp_or_hoty', 'size', 'offset'), e))
    off = entry['offset']
    hdr = dict(zip(('size', 'w', 'h2', 'planes', 'bpp', 'compression', 'image_size',
                    'xppm', 'yppm', 'used', 'important'),
                   struct.unpack('<IiiHHIIiiII', data[off:off + 40])))
    w, h, bpp = hdr['w'], hdr['h2'] // 2, hdr['bpp']
    ncol = hdr['used'] or (1 << bpp)
    pstart = off + hdr['size']
    quads = [data[pstart + 4 * i:pstart + 4 * i + 4] for i in range(ncol)]
    palette = [(q[2], q[1], q[0]) for q in quads]
    xs = ((w * bpp + 31) // 32) * 4
    ms = ((w + 31) // 32) * 4
    xor_at = pstart + 4 * ncol
    and_at = xor_at + xs * h
    end = and_at + ms * h

    def index(row, x):
        bit = x * bpp
        v = row[bit // 8]
        return (v >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)

    pixels, xor_idx = [], []
    for y in range(h):
        src = h - 1 - y                              # rows are stored bottom-up
        xr = data[xor_at + src * xs:xor_at + (src + 1) * xs]
        mr = data[and_at + src * ms:and_at + (src + 1) * ms]
        row, irow = [], []
        for x in range(w):
            i = index(xr, x)
            irow.append(i)
            row.append(None if (mr[x // 8] >> (7 - x % 8)) & 1 else palette[i])
        pixels.append(row)
        xor_idx.append(irow)
    return {'reserved': reserved, 'type': kind, 'count': count, 'entry': entry,
            'header': hdr, 'palette': palette, 'quads': quads, 'w': w, 'h': h,
            'pixels': pixels, 'xor_index': xor_idx, 'end': end}


def parse_png(data):
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos, chunks = 8, {}
    while pos < len(data):
        n, = struct.unpack('>I', data[pos:pos + 4])
        tag, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + n]
        crc, = struct.unpack('>I', data[pos + 8 + n:pos + 12 + n])
        assert crc == zlib.crc32(tag + body) & 0xFFFFFFFF, tag
        chunks.setdefault(tag, []).append(body)
        pos += 12 + n
    w, h, depth, ctype = struct.unpack('>IIBB', chunks[b'IHDR'][0][:10])
    raw = zlib.decompress(b''.join(chunks[b'IDAT']))
    return w, h, depth, ctype, raw


# ------------------------------------------------------------ helpers

def pixels_of(img):
    return [row[:] for row in img.px]


def is_gold(c):
    return c is not None and c[0] > 200 and c[1] > 140 and c[2] < 120


def is_green(c):
    return c is not None and c[1] > c[0] + 20 and c[1] > c[2] + 10


def is_brown(c):
    # bark keeps some blue, unlike the star's dark-gold rim
    return (c is not None and c[0] > c[1] > c[2] and c[0] < 200 and
            c[0] - c[2] > 40 and c[2] >= 0.2 * c[0])


def is_blue(c):
    return c is not None and c[2] > c[0] + 60


def is_red(c):
    return c is not None and c[0] > 140 and c[1] < 90 and c[2] < 90


def is_whiteish(c):
    return c is not None and min(c) > 215


def is_dark(c):
    return c is not None and max(c) < 60


PICS = None


def setUpModule():
    global PICS
    PICS = art.pictures()


# --------------------------------------------------------------- tests

class LzwTest(unittest.TestCase):

    def roundtrip(self, data, min_size):
        enc = art.lzw_encode(data, min_size)
        dec, stats = lzw_decode(enc, min_size)
        self.assertEqual(dec, list(data))
        self.assertTrue(stats['ended'])
        return enc, stats

    def test_known_stream(self):
        # The classic 10x10 four-colour sample picture and its published codes.
        rows = ['1111122222', '1111122222', '1111122222', '1110000222',
                '1110000222', '2220000111', '2220000111', '2222211111',
                '2222211111', '2222211111']
        idx = [int(ch) for r in rows for ch in r]
        want = bytes.fromhex('8C2D99872A1CDC33A00275EC95FAA8DE608C04914C01')
        self.assertEqual(art.lzw_encode(idx, 2), want)

    def test_short_inputs(self):
        for min_size in (2, 3, 4, 8):
            top = 1 << min_size
            for n in range(0, 12):
                for seed in range(6):
                    rnd = random.Random(seed * 100 + n)
                    self.roundtrip([rnd.randrange(top) for _ in range(n)], min_size)

    def test_repeat_pattern_uses_code_not_yet_in_table(self):
        # A run of one symbol makes the decoder meet the code it is about to
        # define (the KwKwK case) at every step.
        for min_size in (2, 5, 8):
            self.roundtrip([1] * 5000, min_size)

    def test_random_data_fills_table_and_resets(self):
        rnd = random.Random(7)
        data = [rnd.randrange(256) for _ in range(60000)]
        _, stats = self.roundtrip(data, 8)
        self.assertGreaterEqual(stats['clears'], 5)     # 1 at the start + resets
        self.assertEqual(stats['widest'], 12)

    def test_small_alphabet_fills_table(self):
        rnd = random.Random(11)
        data = [rnd.randrange(4) for _ in range(80000)]
        _, stats = self.roundtrip(data, 2)
        self.assertGreaterEqual(stats['clears'], 3)
        self.assertEqual(stats['widest'], 12)

    def test_runs_and_noise_across_every_width_change(self):
        # Mixed long runs and noise, cut at every length around the points
        # where the code width grows, so the end code lands at each width.
        rnd = random.Random(3)
        data = []
        while len(data) < 120000:
            if rnd.random() < 0.5:
                data += [rnd.randrange(16)] * rnd.randrange(1, 400)
            else:
                data += [rnd.randrange(16) for _ in range(rnd.randrange(1, 60))]
        _, stats = self.roundtrip(data, 4)
        self.assertGreaterEqual(stats['clears'], 2)
        for n in range(1, 3000, 7):
            self.roundtrip(data[:n], 4)

    def test_table_fills_up_in_the_middle_of_a_run(self):
        # Inside a long run every code is the entry made just before it, so
        # sliding the run across the point where the table is full checks the
        # reset in exactly the case a late clear would get wrong.
        rnd = random.Random(9)
        noise = [rnd.randrange(256) for _ in range(4200)]
        resets = 0
        for n in range(3500, 4200, 4):
            _, stats = self.roundtrip(noise[:n] + [0] * 3000, 8)
            resets += stats['clears'] > 1
        self.assertGreater(resets, 50)

    def test_end_code_right_at_table_boundaries(self):
        # Grow the input one symbol at a time through the first resets, so the
        # stream ends just before, at and after each width change and clear.
        rnd = random.Random(5)
        data = [rnd.randrange(8) for _ in range(12000)]
        for n in range(1, len(data), 1):
            if n % 97 and not (3900 < n < 4300 or 7800 < n < 8300):
                continue
            self.roundtrip(data[:n], 3)


class IconFilesTest(unittest.TestCase):

    def test_icon_structure(self):
        for name, (w, h) in ICONS.items():
            with self.subTest(name):
                data = read(name)
                ico = parse_icon(data)
                self.assertEqual((ico['reserved'], ico['type'], ico['count']), (0, 1, 1))
                e = ico['entry']
                self.assertEqual((e['w'], e['h'], e['colours'], e['reserved']), (w, h, 0, 0))
                self.assertEqual((e['planes_or_hotx'], e['bpp_or_hoty']), (1, 8))
                self.assertEqual(e['offset'], 22)
                self.assertEqual(e['size'], len(data) - 22)
                hd = ico['header']
                self.assertEqual((hd['size'], hd['w'], hd['h2'], hd['planes'], hd['bpp'],
                                  hd['compression']), (40, w, 2 * h, 1, 8, 0))
                xor = ((w + 3) // 4) * 4 * h
                mask = ((w + 31) // 32) * 4 * h
                self.assertEqual(hd['image_size'], xor + mask)
                self.assertIn(hd['used'], (0, 256))
                self.assertEqual(len(ico['palette']), 256)
                self.assertEqual(ico['end'], len(data))
                self.assertTrue(all(q[3] == 0 for q in ico['quads']))

    def test_icon_pixels_match_drawing(self):
        for name in ICONS:
            with self.subTest(name):
                ico = parse_icon(read(name))
                self.assertEqual(ico['pixels'], pixels_of(PICS[name]))
                # transparent pixels are black in the colour image
                for y, row in enumerate(ico['pixels']):
                    for x, c in enumerate(row):
                        if c is None:
                            self.assertEqual(ico['palette'][ico['xor_index'][y][x]], (0, 0, 0))

    def test_icons_have_transparent_corners_and_solid_middle(self):
        for name in ICONS:
            with self.subTest(name):
                px = parse_icon(read(name))['pixels']
                h, w = len(px), len(px[0])
                self.assertIsNone(px[0][0])
                self.assertIsNone(px[h - 1][0])
                self.assertIsNone(px[0][w - 1])
                self.assertIsNotNone(px[h // 2][w // 2])

    def test_tree_reads_upright(self):
        px = parse_icon(read('carolux.ico'))['pixels']
        top = [c for row in px[:9] for c in row]
        bottom = [c for row in px[27:] for c in row]
        middle = [c for row in px[10:26] for c in row]
        self.assertGreater(sum(map(is_gold, top)), 15)              # the star
        self.assertGreater(sum(map(is_brown, bottom)), 6)           # the trunk
        self.assertEqual(sum(map(is_brown, top)), 0)
        self.assertGreater(sum(map(is_green, middle)), 150)
        colours = set(c for c in middle if c)
        self.assertTrue(any(is_red(c) for c in colours))            # baubles
        self.assertTrue(any(is_blue(c) for c in colours))
        # the tree is wider at the bottom than near the star
        width = [sum(c is not None for c in row) for row in px]
        self.assertGreater(width[25], 2 * width[9])

    def test_info_sign(self):
        px = parse_icon(read('info.ico'))['pixels']
        cells = [c for row in px for c in row if c]
        self.assertGreater(sum(map(is_blue, cells)), len(cells) * 0.6)
        column = [px[y][10] for y in range(4, 17)]
        self.assertGreater(sum(map(is_whiteish, column)), 9)       # the dot and stem
        self.assertFalse(is_whiteish(px[11][3]))

    def test_envelope_with_card(self):
        px = parse_icon(read('envelope.ico'))['pixels']
        upper = [c for row in px[:14] for c in row]
        lower = [c for row in px[24:] for c in row]
        self.assertGreater(sum(map(is_red, upper)), 60)             # the card sticks out
        self.assertGreater(sum(map(is_whiteish, lower)), 80)        # the paper front
        self.assertEqual(sum(map(is_red, lower)), 0)

    def test_logo_is_a_c(self):
        px = parse_icon(read('logo.ico'))['pixels']
        self.assertTrue(is_blue(px[16][3]))                         # the C's back
        self.assertIsNone(px[16][30])                               # its opening
        self.assertTrue(is_blue(px[3][16]) and is_blue(px[28][16]))


class CursorFileTest(unittest.TestCase):

    def test_structure(self):
        data = read('hand.cur')
        cur = parse_icon(data)
        self.assertEqual((cur['reserved'], cur['type'], cur['count']), (0, 2, 1))
        e = cur['entry']
        self.assertEqual((e['w'], e['h']), (32, 32))
        self.assertEqual((e['planes_or_hotx'], e['bpp_or_hoty']), (6, 7))
        self.assertEqual(e['offset'], 22)
        self.assertEqual(e['size'], len(data) - 22)
        hd = cur['header']
        self.assertEqual((hd['size'], hd['w'], hd['h2'], hd['planes'], hd['bpp'],
                          hd['compression']), (40, 32, 64, 1, 1, 0))
        self.assertEqual(hd['image_size'], 128 + 128)
        self.assertEqual(cur['palette'], [(0, 0, 0), (255, 255, 255)])
        self.assertEqual(cur['end'], len(data))

    def test_pixels_and_hot_spot(self):
        cur = parse_icon(read('hand.cur'))
        px = cur['pixels']
        self.assertEqual(px, pixels_of(PICS['hand.cur']))
        for y, row in enumerate(px):
            for x, c in enumerate(row):
                if c is None:       # transparent: AND 1 with XOR 0, not inverted
                    self.assertEqual(cur['xor_index'][y][x], 0)
        hx, hy = art.HAND_HOT
        self.assertEqual(px[hy][hx], (0, 0, 0))          # the fingertip's edge
        self.assertEqual(px[hy + 1][hx], (255, 255, 255))  # inside the finger
        for y in range(hy):                                # nothing above it
            self.assertEqual(set(px[y]), {None})
        # the fingertip is the top of a narrow finger: the next rows are a
        # few pixels wide, centred on the hot spot
        for y in range(hy + 1, hy + 5):
            xs = [x for x, c in enumerate(px[y]) if c is not None]
            self.assertLessEqual(max(xs) - min(xs), 5)
            self.assertTrue(min(xs) < hx < max(xs))
        # the hand below is much wider than the finger
        self.assertGreater(sum(c is not None for c in px[hy + 15]), 12)


class GifFilesTest(unittest.TestCase):

    def test_stills(self):
        for name, (w, h) in STILLS.items():
            with self.subTest(name):
                gif = parse_gif(read(name))
                self.assertEqual(gif['version'], b'GIF89a')
                self.assertEqual((gif['w'], gif['h']), (w, h))
                self.assertTrue(gif['trailer'])
                self.assertEqual(gif['after_trailer'], 0)
                self.assertEqual(len(gif['frames']), 1)
                fr = gif['frames'][0]
                self.assertEqual((fr['x'], fr['y'], fr['w'], fr['h']), (0, 0, w, h))
                self.assertIsNotNone(fr['transparent'])
                self.assertEqual(gif_pictures(gif)[0], pixels_of(PICS[name]))
                # really transparent around the edge, and it is drawn
                self.assertIsNone(gif_pictures(gif)[0][0][0])
                self.assertLessEqual(len(gif['gct']), 256)

    def test_warning_sign(self):
        px = gif_pictures(parse_gif(read('warning.gif')))[0]
        self.assertTrue(is_red(px[40][24]))              # bottom rim
        self.assertTrue(is_red(px[6][24]))               # top corner rim
        self.assertTrue(is_dark(px[22][24]))             # the bar of the '!'
        self.assertTrue(is_dark(px[35][24]))             # its dot
        self.assertTrue(is_whiteish(px[32][24]))         # gap between them
        self.assertTrue(is_whiteish(px[36][16]))         # the inside
        self.assertIsNone(px[5][5])
        self.assertIsNone(px[47][24])

    def test_wand(self):
        px = gif_pictures(parse_gif(read('wand.gif')))[0]
        cells = [c for row in px for c in row if c]
        self.assertGreater(sum(map(is_dark, cells)), 60)
        self.assertGreater(sum(map(is_gold, cells)), 40)
        # the white tip is at the upper end of the stick
        self.assertTrue(is_whiteish(px[19][29]) or is_whiteish(px[20][28]))
        self.assertTrue(is_dark(px[37][12]))

    def test_banner_structure(self):
        gif = parse_gif(read('banner.gif'))
        self.assertEqual(gif['version'], b'GIF89a')
        self.assertEqual((gif['w'], gif['h']), (147, 26))
        self.assertEqual(gif['loops'], 0)                  # loops for ever
        self.assertTrue(gif['trailer'])
        frames = gif['frames']
        self.assertGreaterEqual(len(frames), 4)
        first = frames[0]
        self.assertEqual((first['x'], first['y'], first['w'], first['h']), (0, 0, 147, 26))
        for fr in frames:
            self.assertGreater(fr['delay'], 0)
            self.assertLessEqual(fr['x'] + fr['w'], 147)
            self.assertLessEqual(fr['y'] + fr['h'], 26)
            self.assertIn(fr['disposal'], (0, 1))
        self.assertTrue(all(c is not None for row in gif_pictures(gif)[0] for c in row))

    def test_banner_frames_match_drawing(self):
        shots = gif_pictures(parse_gif(read('banner.gif')))
        want = art.banner_composited()
        self.assertEqual(len(shots), len(want))
        for got, (img, _) in zip(shots, want):
            self.assertEqual(got, pixels_of(img))
        # it does move: frames differ, and the loop comes back to the start
        self.assertGreater(len({str(s) for s in shots}), 3)
        self.assertEqual(shots[-1], shots[0])

    def test_banner_text(self):
        px = gif_pictures(parse_gif(read('banner.gif')))[0]
        band = [c for row in px[8:15] for c in row]
        self.assertGreater(sum(c == (255, 255, 255) for c in band), 150)
        self.assertGreater(sum(c == art.BANNER_GOLD for c in band), 80)
        x = (147 - art.text_width(art.BANNER_TEXT)) // 2
        self.assertGreaterEqual(x, 3)                      # fits with a margin


class FontTest(unittest.TestCase):

    def test_glyphs_are_rectangular_and_cover_the_text(self):
        for ch, (top, rows) in art.FONT.items():
            self.assertEqual(len(set(map(len, rows))), 1, ch)
            self.assertTrue(any('#' in r for r in rows), ch)
        self.assertTrue(set(art.BANNER_TEXT) <= set(art.FONT))

    def test_letters_are_distinct(self):
        shapes = [(t, tuple(r)) for t, r in art.FONT.values()]
        self.assertEqual(len(shapes), len(set(shapes)))


class OutputTest(unittest.TestCase):

    def test_files_are_up_to_date(self):
        files = art.build(PICS)
        self.assertEqual(set(files), ALL_FILES)
        for name, data in files.items():
            with self.subTest(name):
                self.assertEqual(read(name), data,
                                 'run python3 -m assets.generator.make_art and commit')

    def test_total_size_budget(self):
        total = sum(len(read(n)) for n in ALL_FILES)
        self.assertLess(total, 12 * 1024)

    def test_png_writer(self):
        img = art.Img(3, 2, [[(1, 2, 3), None, (250, 0, 9)], [None, (7, 7, 7), (0, 0, 0)]])
        w, h, depth, ctype, raw = parse_png(art.encode_png(img, (9, 8, 7)))
        self.assertEqual((w, h, depth, ctype), (3, 2, 8, 2))
        self.assertEqual(raw, bytes([0, 1, 2, 3, 9, 8, 7, 250, 0, 9,
                                     0, 9, 8, 7, 7, 7, 7, 0, 0, 0]))


class QuantizeTest(unittest.TestCase):

    def test_reduces_and_keeps_transparency(self):
        rnd = random.Random(1)
        img = art.Img(40, 40)
        for y in range(40):
            for x in range(40):
                if (x + y) % 7:
                    img.px[y][x] = (rnd.randrange(256), rnd.randrange(256), rnd.randrange(256))
        q = art.quantize(img, 15)
        self.assertLessEqual(len(q.colours()), 15)
        for y in range(40):
            for x in range(40):
                self.assertEqual(q.px[y][x] is None, img.px[y][x] is None)
        # each pixel maps near its colour: mean error well below random
        errs = [sum(abs(a - b) for a, b in zip(q.px[y][x], img.px[y][x]))
                for y in range(40) for x in range(40) if img.px[y][x]]
        self.assertLess(sum(errs) / len(errs), 150)


if __name__ == '__main__':
    unittest.main()
