"""Draws Carolux's own artwork into assets/generator/.

Every picture is built here from simple geometry (rendered with 4x4
supersampling) or from small pixel maps, then written with our own ICO, CUR
and GIF encoders, so the build never needs this script: run it after changing
a picture and commit what it writes.  Standard library only, besides the
project's PNG writer (devkit/png.py).

    python3 -m assets.generator.make_art            # write the assets
    python3 -m assets.generator.make_art --preview  # also write preview.png
"""

import math
import os
import struct
import sys

from devkit import png

OUT = os.path.dirname(os.path.abspath(__file__))

# The two backgrounds the pictures sit on in the generator window.
DIALOG_GREY = (212, 208, 200)
PALE_YELLOW = (255, 255, 192)


# ---------------------------------------------------------------- images

class Img:
    """A w x h picture; each pixel is an (r, g, b) tuple or None (transparent)."""

    def __init__(self, w, h, px=None):
        self.w, self.h = w, h
        self.px = px if px is not None else [[None] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return None

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def copy(self):
        return Img(self.w, self.h, [row[:] for row in self.px])

    def colours(self):
        return {c for row in self.px for c in row if c is not None}


def mix(a, b, t):
    """Blend colour a towards b by t (0..1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def darker(c, k):
    return tuple(int(round(v * k)) for v in c)


def clamp01(t):
    return 0.0 if t < 0 else 1.0 if t > 1 else t


def lerp_stops(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    t = clamp01(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0)
    return stops[-1][1]


# ------------------------------------------------- signed distance shapes
# Each shape is f(x, y) -> distance to its edge, negative inside.  Pixel
# (x, y) covers [x, x+1) x [y, y+1), so its centre is at (x+0.5, y+0.5).

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * m


def box(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
        out = math.hypot(max(dx, 0), max(dy, 0))
        return out + min(max(dx, dy), 0) - r
    return f


def _seg_t(x, y, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    ll = vx * vx + vy * vy
    t = ((x - ax) * vx + (y - ay) * vy) / ll if ll else 0.0
    return clamp01(t)


def capsule(ax, ay, bx, by, ra, rb=None):
    """A thick line from a to b, radius ra at a tapering to rb at b."""
    rb = ra if rb is None else rb

    def f(x, y):
        t = _seg_t(x, y, ax, ay, bx, by)
        px, py = ax + (bx - ax) * t, ay + (by - ay) * t
        return math.hypot(x - px, y - py) - (ra + (rb - ra) * t)
    return f


def polygon(pts):
    n = len(pts)

    def f(x, y):
        best = 1e9
        inside = False
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            t = _seg_t(x, y, ax, ay, bx, by)
            best = min(best, math.hypot(x - ax - (bx - ax) * t,
                                        y - ay - (by - ay) * t))
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    inside = not inside
        return -best if inside else best
    return f


def star_points(cx, cy, r_out, r_in, n=5, turn=-90.0):
    pts = []
    for i in range(2 * n):
        a = math.radians(turn + i * 180.0 / n)
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def grow(f, d):
    return lambda x, y: f(x, y) - d


def render(w, h, layers, ss=4, cut=0.5):
    """Paint layers (bottom first) of (shape, colour or colour function).

    A pixel is opaque when at least `cut` of its samples hit a shape; its
    colour is the mean of the samples that did, so edges between shapes are
    smoothed while the outer edge stays crisp for a 1-bit mask.
    """
    top_first = layers[::-1]
    offs = [(i + 0.5) / ss for i in range(ss)]
    need = cut * ss * ss
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            n = r = g = b = 0
            for oy in offs:
                for ox in offs:
                    sx, sy = x + ox, y + oy
                    for f, paint in top_first:
                        if f(sx, sy) <= 0:
                            c = paint(sx, sy) if callable(paint) else paint
                            r += c[0]
                            g += c[1]
                            b += c[2]
                            n += 1
                            break
            if n and n >= need:
                img.px[y][x] = (int(round(r / n)), int(round(g / n)),
                                int(round(b / n)))
    return img


def outline(img, edge_colour):
    """Recolour the opaque pixels that touch transparency (4-neighbours)."""
    out = img.copy()
    for y in range(img.h):
        for x in range(img.w):
            c = img.px[y][x]
            if c is None:
                continue
            if any(img.get(x + dx, y + dy) is None
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                out.px[y][x] = edge_colour(c) if callable(edge_colour) else edge_colour
    return out


def from_map(rows, legend):
    """Picture from a pixel map: one string per row, legend char -> colour."""
    img = Img(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        assert len(row) == img.w, (y, row)
        for x, ch in enumerate(row):
            img.px[y][x] = legend[ch]
    return img


# ------------------------------------------------------------ palettes

def median_cut(counts, n):
    """Reduce a {colour: count} histogram to at most n colours.  The box with
    the largest squared error is split first, so a few edge shades of a small
    detail are not starved by a big, nearly flat area."""
    def error(bx):
        tot = sum(w for _, w in bx)
        mean = [sum(c[k] * w for c, w in bx) / tot for k in range(3)]
        return sum(w * sum((c[k] - mean[k]) ** 2 for k in range(3)) for c, w in bx)

    boxes = [list(counts.items())]
    while len(boxes) < n:
        splittable = [i for i, bx in enumerate(boxes) if len(bx) > 1]
        if not splittable:
            break
        best = max(splittable, key=lambda i: error(boxes[i]))
        bx = boxes.pop(best)
        k = max(range(3), key=lambda k: max(c[k] for c, _ in bx) -
                min(c[k] for c, _ in bx))
        bx.sort(key=lambda cw: cw[0][k])
        half, acc, cut = sum(w for _, w in bx) / 2, 0, 1
        for i, (_, w) in enumerate(bx):
            acc += w
            if acc >= half:
                cut = min(max(i + 1, 1), len(bx) - 1)
                break
        boxes += [bx[:cut], bx[cut:]]
    pal = []
    for bx in boxes:
        tot = sum(w for _, w in bx)
        pal.append(tuple(int(round(sum(c[k] * w for c, w in bx) / tot))
                         for k in range(3)))
    return pal


def quantize(img, n):
    """Map img onto at most n colours; returns the new picture."""
    counts = {}
    for row in img.px:
        for c in row:
            if c is not None:
                counts[c] = counts.get(c, 0) + 1
    if len(counts) <= n:
        return img.copy()
    pal = median_cut(counts, n)
    near = {}
    for c in counts:
        near[c] = min(pal, key=lambda p: sum((p[k] - c[k]) ** 2 for k in range(3)))
    return Img(img.w, img.h, [[None if c is None else near[c] for c in row]
                              for row in img.px])


# ------------------------------------------------------------ ICO / CUR

def _bmp_rows_8(img, index):
    stride = (img.w + 3) & ~3
    out = bytearray()
    for y in range(img.h - 1, -1, -1):          # bottom-up
        row = bytes(0 if c is None else index[c] for c in img.px[y])
        out += row + bytes(stride - img.w)
    return out


def _mask_rows(img, bit_of):
    stride = ((img.w + 31) // 32) * 4
    out = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(img.w):
            if bit_of(img.px[y][x]):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return out


def _bitmapinfo(w, h, bpp, size_image):
    return struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bpp, 0, size_image,
                       0, 0, 0, 0)


def ico_palette(img):
    """Index 0 is black, so transparent pixels are black in the XOR image."""
    cols = sorted(img.colours() - {(0, 0, 0)})
    assert len(cols) <= 255, len(cols)
    pal = [(0, 0, 0)] + cols
    return pal, {c: i for i, c in enumerate(pal)}


def encode_ico(img):
    """One-image icon: 8 bpp, 256-entry palette, 1-bit AND mask."""
    pal, index = ico_palette(img)
    xor = _bmp_rows_8(img, index)
    andm = _mask_rows(img, lambda c: c is None)
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in pal)
    quads += bytes(4 * (256 - len(pal)))
    body = _bitmapinfo(img.w, img.h, 8, len(xor) + len(andm)) + quads + xor + andm
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', img.w & 0xFF, img.h & 0xFF, 0, 0, 1, 8,
                        len(body), 22)
    return head + entry + body


BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def encode_cur(img, hot_x, hot_y):
    """One-image monochrome cursor: palette (black, white) + AND mask."""
    assert img.colours() <= {BLACK, WHITE}
    xor = _mask_rows(img, lambda c: c == WHITE)
    andm = _mask_rows(img, lambda c: c is None)
    quads = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    body = _bitmapinfo(img.w, img.h, 1, len(xor) + len(andm)) + quads + xor + andm
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', img.w & 0xFF, img.h & 0xFF, 2, 0,
                        hot_x, hot_y, len(body), 22)
    return head + entry + body


# ------------------------------------------------------------------ GIF

def lzw_encode(data, min_size):
    """GIF LZW: variable code size from min_size+1 up to 12 bits.

    The table is reset with a clear code as soon as it holds 4096 codes.
    The decoder adds its entries one code later than we do, so code size
    grows here when the *next* free code passes 1 << size.
    """
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc = nacc = 0

    def emit(code, size):
        nonlocal acc, nacc
        acc |= code << nacc
        nacc += size
        while nacc >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nacc -= 8

    size, nxt, table = min_size + 1, eoi + 1, {}
    emit(clear, size)
    if not data:
        emit(eoi, size)
    else:
        prefix, fresh = data[0], True       # fresh: first code after a clear
        for k in data[1:]:
            key = (prefix, k)
            code = table.get(key)
            if code is not None:
                prefix = code
                continue
            emit(prefix, size)
            fresh = False
            table[key] = nxt
            nxt += 1
            if nxt > (1 << size) and size < 12:
                size += 1
            if nxt == 4096:
                emit(clear, size)
                size, nxt, table, fresh = min_size + 1, eoi + 1, {}, True
            prefix = k
        emit(prefix, size)
        # The decoder adds one more entry on reading that last code; if that
        # fills the current width it reads the end code one bit wider.
        if not fresh and nxt + 1 > (1 << size) and size < 12:
            size += 1
        emit(eoi, size)
    if nacc:
        out.append(acc & 0xFF)
    return bytes(out)


def _sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


class Frame:
    def __init__(self, x, y, w, h, indices, delay=0, disposal=0,
                 transparent=None):
        self.x, self.y, self.w, self.h = x, y, w, h
        self.indices = indices          # w*h palette indices, row by row
        self.delay, self.disposal, self.transparent = delay, disposal, transparent


def encode_gif(w, h, palette, frames, loop=False, background=0):
    bits = max(1, (len(palette) - 1).bit_length())
    table = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', w, h, 0x80 | 0x70 | (bits - 1), background, 0)
    out += b''.join(bytes(c) for c in table)
    if loop:
        out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01' + struct.pack('<H', 0) + b'\x00'
    min_size = max(2, bits)
    for fr in frames:
        flags = (fr.disposal & 7) << 2
        if fr.transparent is not None:
            flags |= 1
        out += struct.pack('<BBBBHBB', 0x21, 0xF9, 4, flags, fr.delay,
                           fr.transparent or 0, 0)
        out += struct.pack('<BHHHHB', 0x2C, fr.x, fr.y, fr.w, fr.h, 0)
        out.append(min_size)
        out += _sub_blocks(lzw_encode(fr.indices, min_size))
    out.append(0x3B)
    return bytes(out)


def gif_still(img, backdrop):
    """Palette and indices of a transparent still; index 0 is transparent and
    carries the backdrop colour for viewers that ignore transparency."""
    cols = sorted(img.colours())
    pal = [backdrop] + cols
    index = {c: i + 1 for i, c in enumerate(cols)}
    idx = [0 if c is None else index[c] for row in img.px for c in row]
    return pal, idx


def encode_gif_still(img, backdrop):
    pal, idx = gif_still(img, backdrop)
    return encode_gif(img.w, img.h, pal,
                      [Frame(0, 0, img.w, img.h, idx, transparent=0)])


# ------------------------------------------------------------------ PNG

def encode_png(img, background):
    rows = (b''.join(bytes(background if c is None else c) for c in row) for row in img.px)
    return png.encode(img.w, img.h, rows)


# ============================================================== pictures

GOLD = (255, 204, 32)
GOLD_LIGHT = (255, 238, 140)
GOLD_EDGE = (176, 112, 0)


def art_tree():
    """Program icon: a decorated Christmas tree with a gold star."""
    tiers = [  # apex x, apex y, base y, half width at base, branch tips
        (16.0, 5.0, 13.5, 6.5, 2),
        (16.0, 9.0, 20.0, 10.0, 3),
        (16.0, 13.5, 27.0, 14.0, 4),
    ]

    def tier(ax, ay, by, hw, points):
        # the lower edge zigzags: branch tips hang lower than the gaps between
        pts = [(ax, ay)]
        for i in range(2 * points + 1):
            x = ax + hw - i * hw / points
            pts.append((x, by if i % 2 == 0 else by - 1.6))
        return polygon(pts)

    shapes = [tier(*t) for t in tiers]

    def green(x, y):
        # light from the upper left; darker under the tier above
        t = clamp01((x - 3) / 26 * 0.8 + (y - 5) / 22 * 0.35)
        c = lerp_stops([(0, (104, 196, 72)), (0.45, (40, 150, 52)),
                        (1, (14, 92, 40))], t)
        for ax, ay, by, hw, _ in tiers[:-1]:
            if by - 0.5 < y < by + 1.6 and abs(x - ax) < hw + 1:
                c = darker(c, 0.72)
        return c

    layers = [(shapes[2], green), (shapes[1], green), (shapes[0], green)]
    trunk = box(13.5, 26, 18.5, 31)

    def bark(x, y):
        return lerp_stops([(0, (156, 98, 52)), (1, (92, 54, 24))], (x - 13.5) / 5)
    layers.insert(0, (trunk, bark))
    tree = render(32, 32, layers)
    tree = outline(tree, lambda c: darker(c, 0.42))

    # Baubles and the star go on after the outline so they keep their colour.
    deco = []
    baubles = [  # x, y, colour
        (13.4, 11.2, (226, 30, 40)),
        (18.8, 12.0, (250, 196, 30)),
        (11.0, 17.2, (50, 110, 232)),
        (16.6, 16.4, (236, 64, 170)),
        (21.4, 17.6, (226, 30, 40)),
        (8.2, 23.8, (250, 196, 30)),
        (13.8, 22.6, (226, 30, 40)),
        (19.2, 23.6, (50, 110, 232)),
        (24.0, 24.0, (236, 64, 170)),
    ]
    for bx, by, col in baubles:
        def paint(x, y, bx=bx, by=by, col=col):
            d = math.hypot(x - (bx - 0.5), y - (by - 0.5))
            return mix(col, (255, 255, 255), clamp01(0.75 - d * 0.75)) \
                if d < 1.0 else darker(col, 0.8 if d < 1.4 else 0.62)
        deco.append((circle(bx, by, 1.6), paint))
    star = polygon(star_points(16.0, 5.2, 5.4, 2.2))

    def star_paint(x, y):
        return mix(GOLD_LIGHT, GOLD, clamp01((y - 2) / 5 + (x - 14) / 8))
    deco += [(grow(star, 0.75), GOLD_EDGE), (star, star_paint)]
    top = render(32, 32, deco)
    # baubles stay inside the branches; the star may rise above them
    for y in range(32):
        for x in range(32):
            if top.px[y][x] is not None and (tree.px[y][x] is not None or y < 10):
                tree.px[y][x] = top.px[y][x]
    return tree


HAND_MAP = [
    '................................',
    '................................',
    '................................',
    '................................',
    '................................',
    '................................',
    '................................',
    '.....XXX........................',
    '....XoooX.......................',
    '....XoooX.......................',
    '....XoooX.......................',
    '....XoooX.......................',
    '....XoooX.......................',
    '....XoooXXX.....................',
    '....XoooXooXXX..................',
    '....XoooXooXooXXX...............',
    '....XoooXooXooXooX..............',
    '.XX.XoooXooXooXooX..............',
    'XooXXoooXooXooXooX..............',
    'XoooXooooooooooooX..............',
    '.XooXooooooooooooX..............',
    '.XooooooooooooooooX.............',
    '..XoooooooooooooooX.............',
    '...XooooooooooooooX.............',
    '....XoooooooooooooX.............',
    '.....XooooooooooooX.............',
    '.....XoooooooooooX..............',
    '.....XoooooooooooX..............',
    '.....XXXXXXXXXXXXX..............',
    '................................',
    '................................',
    '................................',
]
HAND_HOT = (6, 7)


def art_hand():
    """Link cursor: white pointing hand, black outline, fingertip at HAND_HOT."""
    return from_map(HAND_MAP, {'.': None, 'X': BLACK, 'o': WHITE})


def art_wand():
    """Magic wand: black with a white tip, gold sparkles around it."""
    ax, ay, bx, by = 8.5, 40.5, 31.0, 18.0      # handle end -> tip end
    body = capsule(ax, ay, bx, by, 2.5)
    ux, uy = (bx - ax), (by - ay)
    ln = math.hypot(ux, uy)
    ux, uy = ux / ln, uy / ln

    def stick(x, y):
        along = (x - ax) * ux + (y - ay) * uy
        across = (x - ax) * -uy + (y - ay) * ux   # negative: upper-left side
        if along > ln - 5.5:
            c = lerp_stops([(0, (255, 255, 255)), (1, (170, 172, 180))],
                           (across + 2.5) / 5)
        else:
            c = lerp_stops([(0, (120, 120, 128)), (0.35, (40, 40, 44)),
                            (1, (8, 8, 10))], (across + 2.5) / 5)
        return c

    def sparkle(cx, cy, r, w, body_col=GOLD):
        pts = []
        for i in range(8):
            a = math.radians(-90 + i * 45)
            rr = r if i % 2 == 0 else w
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        shape = polygon(pts)

        def paint(x, y):
            d = math.hypot(x - cx, y - cy) / r
            return mix((255, 255, 235), body_col, clamp01(d * 1.8))
        return [(grow(shape, 0.8), GOLD_EDGE), (shape, paint)]

    layers = [(grow(body, 0.9), (0, 0, 0)), (body, stick)]
    layers += sparkle(36.5, 11.0, 9.0, 2.1)
    layers += sparkle(21.5, 9.0, 5.0, 1.4)
    layers += sparkle(41.0, 28.0, 5.0, 1.4)
    layers += sparkle(27.0, 28.0, 3.0, 1.0)
    for cx, cy, r in ((30.5, 4.5, 1.3), (45.0, 19.5, 1.2), (15.0, 16.0, 1.1)):
        layers += [(circle(cx, cy, r + 0.8), GOLD_EDGE), (circle(cx, cy, r), GOLD)]
    return render(48, 48, layers)


def art_warning():
    """Warning sign: red-rimmed triangle, white inside, black '!'."""
    rad = 3.5
    tri = [(24.0, 0.0), (0.8, 43.8), (47.2, 43.8)]
    # Rounded corners: shrink the triangle, then grow the distance field.
    cx, cy = sum(p[0] for p in tri) / 3, sum(p[1] for p in tri) / 3

    def shrink(pts, d):
        # move each vertex towards the centroid so edges move in by d
        out = []
        for x, y in pts:
            vx, vy = cx - x, cy - y
            k = d / math.hypot(vx, vy) * 2.0   # vertex moves 1/sin(30) = 2x
            out.append((x + vx * k, y + vy * k))
        return out
    outer = grow(polygon(shrink(tri, rad)), rad)
    inner = grow(outer, -4.2)

    def red(x, y):
        return lerp_stops([(0, (246, 70, 60)), (0.5, (222, 28, 28)),
                           (1, (168, 10, 14))], (y - 3) / 40)

    bar = capsule(24.0, 19.8, 24.0, 30.2, 2.5, 1.7)
    dot = circle(24.0, 35.3, 2.3)
    layers = [(outer, red), (inner, (255, 255, 255)), (bar, (16, 16, 16)), (dot, (16, 16, 16))]
    img = render(48, 48, layers)
    return outline(img, (120, 0, 6))


def art_mailperson():
    """18x18: a letter with a small person in front of it."""
    env = box(0.0, 4.0, 14.0, 15.0)

    def paper(x, y):
        return lerp_stops([(0, (255, 255, 255)), (1, (222, 224, 230))], (y - 4) / 11)
    flap = union(capsule(1.3, 5.3, 7.0, 10.2, 0.6), capsule(12.7, 5.3, 7.0, 10.2, 0.6))
    head = circle(13.6, 6.4, 2.3)
    torso = intersect(ellipse(13.6, 15.6, 4.2, 5.6), box(8.0, 10.0, 18.0, 18.0))

    def shirt(x, y):
        return lerp_stops([(0, (104, 160, 240)), (1, (30, 78, 184))], (x - 10) / 8 + (y - 11) / 14)

    def skin(x, y):
        return lerp_stops([(0, (255, 224, 196)), (1, (222, 156, 110))],
                          (x - 11.5) / 5 + (y - 4) / 7)
    hair = intersect(head, lambda x, y: y - 5.6 + 0.25 * (x - 13.6))
    layers = [(env, paper), (flap, (120, 126, 146)),
              (grow(torso, 1.0), (16, 40, 104)), (torso, shirt),
              (grow(head, 1.0), (84, 48, 26)), (head, skin), (hair, (128, 74, 36))]
    img = render(18, 18, layers)
    return outline(img, lambda c: (96, 102, 120) if min(c) > 110 else c)


def art_envelope():
    """32x33 icon: an opened envelope with a red greeting card peeking out."""
    L, R, T, B = 1.0, 31.0, 15.5, 31.5
    midx = (L + R) / 2
    back = box(L, T, R, B, 1.0)
    back_flap = polygon([(L, T + 0.5), (midx, 4.5), (R, T + 0.5)])
    card = box(6.5, 1.5, 25.5, 27.0, 0.5)
    front = polygon([(L, T + 1.0), (midx, 24.0), (R, T + 1.0), (R, B), (L, B)])
    front = intersect(front, back)

    def card_paint(x, y):
        c = lerp_stops([(0, (232, 48, 52)), (1, (178, 18, 30))], (x - 6) / 20 + (y - 2) / 60)
        if 8.5 < x < 23.5 and 3.5 < y < 26 and not (9.3 < x < 22.7 and 4.3 < y < 26):
            c = (255, 214, 80)       # thin gold border printed on the card
        return c

    def paper(x, y):
        return lerp_stops([(0, (255, 255, 252)), (1, (222, 220, 212))],
                          (y - T) / (B - T) * 0.7 + (x - L) / (R - L) * 0.3)

    def inside(x, y):
        return lerp_stops([(0, (196, 188, 170)), (1, (232, 226, 210))], (y - 4) / 12)
    fold = union(capsule(L + 0.6, B - 0.6, midx - 3.5, 25.5, 0.45),
                 capsule(R - 0.6, B - 0.6, midx + 3.5, 25.5, 0.45))
    star = polygon(star_points(16.0, 11.5, 4.8, 2.0))
    layers = [(back_flap, inside), (back, inside),
              (grow(card, 0.9), (110, 8, 16)), (card, card_paint),
              (grow(star, 0.7), (150, 90, 0)),
              (star, lambda x, y: mix(GOLD_LIGHT, GOLD, clamp01((y - 7) / 8))),
              (grow(front, 0.9), (120, 112, 98)), (front, paper), (fold, (200, 196, 184))]
    img = render(32, 33, layers)
    return outline(img, lambda c: (104, 96, 84) if c[0] > 150 and c[1] > 150 else darker(c, 0.5))


def art_info():
    """21x22 icon: a round blue information sign with a white 'i'."""
    cx, cy = 10.5, 11.0
    disc = ellipse(cx, cy, 10.45, 10.95)

    def blue(x, y):
        d = math.hypot(x - (cx - 3.5), y - (cy - 4.5)) / 16
        c = lerp_stops([(0, (120, 184, 255)), (0.45, (40, 112, 224)), (1, (10, 52, 150))], d)
        return c

    def gloss(x, y):
        return mix(blue(x, y), (255, 255, 255), 0.28)
    shine = intersect(disc, ellipse(cx, cy - 5.2, 7.0, 4.8))
    dot = circle(cx + 0.2, 5.6, 1.75)
    stem = union(box(cx - 1.3, 8.6, cx + 1.7, 16.8, 0.3),
                 box(cx - 2.6, 8.6, cx + 1.7, 9.9, 0.2),
                 box(cx - 2.6, 15.6, cx + 3.0, 16.9, 0.2))
    layers = [(disc, blue), (shine, gloss), (dot, (255, 255, 255)), (stem, (255, 255, 255))]
    img = render(21, 22, layers)
    return outline(img, (8, 36, 110))


def art_logo():
    """32x32: the makers' mark, a snowflake on a snowball held inside a 'C'."""
    cx, cy = 16.0, 16.0
    ring = minus(circle(cx, cy, 14.8), circle(cx, cy, 9.6))
    # The C opens to the right; its ends are cut square along radii.
    gap = polygon([(cx, cy), (cx + 20, cy - 12.5), (cx + 20, cy + 12.5)])
    c_shape = minus(ring, gap)
    ball = circle(cx + 0.6, cy, 8.9)

    def blue(x, y):
        return lerp_stops([(0, (52, 176, 228)), (0.5, (14, 108, 190)), (1, (6, 54, 128))],
                          (x - 2) / 40 + (y - 2) / 30)

    def snow(x, y):
        return lerp_stops([(0, (255, 255, 255)), (0.6, (226, 240, 252)), (1, (176, 206, 236))],
                          math.hypot(x - 13.5, y - 12.5) / 13)

    arms = []
    fx, fy, fr = cx + 0.6, cy, 6.6
    for i in range(6):
        a = math.radians(90 + i * 60)
        arms.append(capsule(fx, fy, fx + fr * math.cos(a), fy + fr * math.sin(a), 0.75))
        bx, by = fx + fr * 0.6 * math.cos(a), fy + fr * 0.6 * math.sin(a)
        for sgn in (-1, 1):
            b = a + sgn * math.radians(45)
            arms.append(capsule(bx, by, bx + 1.9 * math.cos(b), by + 1.9 * math.sin(b), 0.55))
    flake = union(circle(fx, fy, 1.2), *arms)

    def flake_paint(x, y):
        return lerp_stops([(0, (20, 120, 200)), (1, (10, 66, 150))], (y - fy + fr) / (2 * fr))
    layers = [(grow(c_shape, 0.9), (4, 36, 86)), (c_shape, blue),
              (ball, snow), (flake, flake_paint)]
    img = render(32, 32, layers)
    return outline(img, lambda c: (4, 36, 86) if c[2] > c[0] + 40 else (70, 104, 150))


# ---------------------------------------------------------------- banner

# Bold lower-case pixel font: x-height 7 rows; each glyph is (top row
# relative to the x-height line, rows).  Only what the banner needs.
FONT = {
    'w': (0, ['##.....##', '##.....##', '##..#..##', '##.###.##',
              '#########', '.###.###.', '.##...##.']),
    '.': (5, ['##', '##']),
    'c': (0, ['.####', '##..#', '##...', '##...', '##...', '##..#', '.####']),
    'a': (0, ['.####.', '....##', '.#####', '##..##', '##..##', '##..##', '.#####']),
    'r': (0, ['##.##', '#####', '###..', '##...', '##...', '##...', '##...']),
    'o': (0, ['.####.', '##..##', '##..##', '##..##', '##..##', '##..##', '.####.']),
    'l': (-3, ['##'] * 10),
    'u': (0, ['##..##', '##..##', '##..##', '##..##', '##..##', '##..##', '.#####']),
    'x': (0, ['##..##', '##..##', '.####.', '..##..', '.####.', '##..##', '##..##']),
    'e': (0, ['.####.', '##..##', '##..##', '######', '##....', '##...#', '.####.']),
    'm': (0, ['#######.', '##.##.##', '##.##.##', '##.##.##',
              '##.##.##', '##.##.##', '##.##.##']),
    'p': (0, ['#####.', '##..##', '##..##', '##..##', '##..##', '##..##', '#####.',
              '##....', '##....', '##....']),
}


def text_width(text, gap=1):
    return sum(len(FONT[ch][1][0]) for ch in text) + gap * (len(text) - 1)


def draw_text(img, text, x, base, colour_of, gap=1):
    """Draw text with its x-height starting at row `base`; colour_of(i) gives
    the colour of the i-th character."""
    for i, ch in enumerate(text):
        top, rows = FONT[ch]
        for dy, row in enumerate(rows):
            for dx, bit in enumerate(row):
                if bit == '#':
                    img.set(x + dx, base + top + dy, colour_of(i))
        x += len(rows[0]) + gap
    return x


BANNER_TEXT = 'www.carolux.example'
BANNER_W, BANNER_H = 147, 26
BANNER_SKY = [(0, (30, 62, 132)), (1, (10, 24, 70))]
BANNER_GOLD = (255, 212, 60)


def banner_base():
    img = Img(BANNER_W, BANNER_H)
    for y in range(BANNER_H):
        # seven flat bands: keeps the whole banner within 16 colours
        c = lerp_stops(BANNER_SKY, (y * 7 // BANNER_H) / 6)
        for x in range(BANNER_W):
            img.px[y][x] = c
    # snow along the bottom edge
    for x in range(BANNER_W):
        h = (1.6 + 1.9 * (0.5 + 0.5 * math.sin(x / 10.0)) +
             0.9 * (0.5 + 0.5 * math.sin(x / 4.7 + 2)))
        for y in range(BANNER_H - int(round(h)), BANNER_H):
            img.px[y][x] = (236, 242, 255)
    # a thin frame, like a web button
    for x in range(BANNER_W):
        img.px[0][x] = (120, 150, 214)
        img.px[BANNER_H - 1][x] = (150, 160, 196)
    for y in range(BANNER_H):
        img.px[y][0] = (120, 150, 214)
        img.px[y][BANNER_W - 1] = (54, 70, 120)
    for sx, sy in ((4, 4), (12, 18), (140, 5), (131, 19), (70, 3), (100, 21), (40, 21)):
        img.px[sy][sx] = (190, 204, 240)
    tw = text_width(BANNER_TEXT)
    x0 = (BANNER_W - tw) // 2
    base = 8
    shadow = (4, 10, 34)
    draw_text(img, BANNER_TEXT, x0 + 1, base + 1, lambda i: shadow)
    names = range(4, 11)     # "carolux" in gold, the rest in white

    def colour(i):
        return BANNER_GOLD if i in names else (255, 255, 255)
    draw_text(img, BANNER_TEXT, x0, base, colour)
    return img


SPARK = ['...#...', '...#...', '..#o#..', '##ooo##', '..#o#..', '...#...', '...#...']
SPARK_SMALL = ['.......', '.......', '...#...', '..#o#..', '...#...', '.......', '.......']
SPARK_SPOTS = [(30, 1), (60, 16), (92, 1), (133, 15)]


def banner_frames():
    """(base picture, frames) where each frame after the first only redraws a
    7x7 spot: a twinkle grows and fades at one spot after another."""
    base = banner_base()
    frames = [(0, 0, base, 180)]

    def spot(x0, y0, pattern):
        pic = Img(7, 7)
        for dy in range(7):
            for dx in range(7):
                ch = pattern[dy][dx] if pattern else '.'
                if ch == '#':
                    pic.px[dy][dx] = BANNER_GOLD
                elif ch == 'o':
                    pic.px[dy][dx] = (255, 255, 255)
                else:
                    pic.px[dy][dx] = base.px[y0 + dy][x0 + dx]
        return pic
    for x0, y0 in SPARK_SPOTS:
        frames.append((x0, y0, spot(x0, y0, SPARK_SMALL), 8))
        frames.append((x0, y0, spot(x0, y0, SPARK), 16))
        frames.append((x0, y0, spot(x0, y0, None), 60))
    return base, frames


def banner_composited():
    """Every frame as the viewer sees it (each frame leaves its pixels)."""
    base, frames = banner_frames()
    canvas = base.copy()
    shots = []
    for x0, y0, pic, delay in frames:
        for dy in range(pic.h):
            for dx in range(pic.w):
                if pic.px[dy][dx] is not None:
                    canvas.px[y0 + dy][x0 + dx] = pic.px[dy][dx]
        shots.append((canvas.copy(), delay))
    return shots


def encode_banner():
    base, frames = banner_frames()
    cols = set(base.colours())
    for _, _, pic, _ in frames:
        cols |= pic.colours()
    pal = sorted(cols)
    index = {c: i for i, c in enumerate(pal)}
    # a spare slot for transparency in the small frames
    trans = len(pal)
    pal.append((255, 0, 255))
    out = []
    prev = base.copy()
    for n, (x0, y0, pic, delay) in enumerate(frames):
        idx = []
        for dy in range(pic.h):
            for dx in range(pic.w):
                c = pic.px[dy][dx]
                # unchanged pixels are left transparent: smaller, and exact
                if n and c == prev.px[y0 + dy][x0 + dx]:
                    idx.append(trans)
                else:
                    idx.append(index[c])
                    prev.px[y0 + dy][x0 + dx] = c
        out.append(Frame(x0, y0, pic.w, pic.h, idx, delay=delay, disposal=1,
                         transparent=trans if n else None))
    return encode_gif(BANNER_W, BANNER_H, pal, out, loop=True, background=0)


# ---------------------------------------------------------------- outputs

def pictures():
    """Name -> finished picture (as stored, after any colour reduction)."""
    return {
        'carolux.ico': quantize(art_tree(), 255),
        'hand.cur': art_hand(),
        'wand.gif': quantize(art_wand(), 15),
        'warning.gif': quantize(art_warning(), 15),
        'mailperson.gif': quantize(art_mailperson(), 15),
        'envelope.ico': quantize(art_envelope(), 255),
        'info.ico': quantize(art_info(), 255),
        'logo.ico': quantize(art_logo(), 255),
    }


GIF_BACKDROP = {'wand.gif': DIALOG_GREY, 'warning.gif': PALE_YELLOW,
                'mailperson.gif': DIALOG_GREY}


def build(pics=None):
    """Name -> file bytes for every asset."""
    pics = pics or pictures()
    files = {}
    for name, img in pics.items():
        if name.endswith('.ico'):
            files[name] = encode_ico(img)
        elif name.endswith('.cur'):
            files[name] = encode_cur(img, *HAND_HOT)
        else:
            files[name] = encode_gif_still(img, GIF_BACKDROP[name])
    files['banner.gif'] = encode_banner()
    return files


def paste(dst, src, x0, y0, scale=1, bg=None):
    for y in range(src.h * scale):
        for x in range(src.w * scale):
            c = src.px[y // scale][x // scale]
            if c is None:
                c = bg
            if c is not None:
                dst.set(x0 + x, y0 + y, c)


def fill(dst, x0, y0, w, h, c):
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            dst.set(x, y, c)


def preview(pics):
    """A sheet with a mock of the generator window at real size on both
    window greys, then every picture at 1x and 4x on grey and on yellow,
    then the banner enlarged and its frames."""
    W = 760
    shots = banner_composited()
    order = ['carolux.ico', 'logo.ico', 'envelope.ico', 'info.ico', 'hand.cur',
             'mailperson.gif', 'wand.gif', 'warning.gif']
    items, x, y, row_h = [], 10, 260, 0      # (name, x, y) of each 4x pair
    for name in order:
        img = pics[name]
        w = 2 * img.w * 4 + 4 + 2 * img.w + 12
        if x + w > W:
            x, y, row_h = 10, y + row_h + 12, 0
        items.append((name, x, y))
        x += w + 14
        row_h = max(row_h, img.h * 4)
    y += row_h + 16
    banner_y = y
    strip = shots[1::2]
    H = banner_y + BANNER_H * 4 + 10 + (len(strip) + 4) // 5 * (BANNER_H + 4) + 6
    sheet = Img(W, H)
    fill(sheet, 0, 0, W, H, (255, 255, 255))
    for wx, face in ((10, (240, 240, 240)), (390, DIALOG_GREY)):
        fill(sheet, wx, 10, 360, 236, face)
        paste(sheet, shots[2][0], wx + 12, 16)
        for i, name in enumerate(['carolux.ico', 'logo.ico', 'envelope.ico']):
            paste(sheet, pics[name], wx + 170 + 40 * i, 14)
        paste(sheet, pics['info.ico'], wx + 300, 20)
        paste(sheet, pics['mailperson.gif'], wx + 330, 22)
        paste(sheet, pics['wand.gif'], wx + 12, 60)
        fill(sheet, wx + 70, 72, 120, 22, (255, 255, 255))
        paste(sheet, pics['hand.cur'], wx + 200, 66)
        fill(sheet, wx + 8, 170, 344, 68, PALE_YELLOW)
        fill(sheet, wx + 8, 170, 344, 1, (128, 128, 128))
        paste(sheet, pics['warning.gif'], wx + 16, 180)
    for name, x, y in items:
        img = pics[name]
        paste(sheet, img, x, y, 1, DIALOG_GREY)
        paste(sheet, img, x, y + img.h + 4, 1, PALE_YELLOW)
        x += img.w + 6
        paste(sheet, img, x, y, 4, DIALOG_GREY)
        paste(sheet, img, x + img.w * 4 + 4, y, 4, PALE_YELLOW)
    paste(sheet, shots[2][0], 10, banner_y, 4)
    y = banner_y + BANNER_H * 4 + 10
    for i, (shot, _) in enumerate(strip):
        paste(sheet, shot, 10 + (i % 5) * 150, y + (i // 5) * (BANNER_H + 4))
    return sheet


def main(argv):
    os.makedirs(OUT, exist_ok=True)
    pics = pictures()
    files = build(pics)
    total = 0
    for name in sorted(files):
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(files[name])
        total += len(files[name])
        print('%-16s %6d bytes' % (name, len(files[name])))
    print('%-16s %6d bytes' % ('total', total))
    if '--preview' in argv:
        with open(os.path.join(OUT, 'preview.png'), 'wb') as f:
            f.write(encode_png(preview(pics), (255, 255, 255)))
        print('preview.png written')


if __name__ == '__main__':
    main(sys.argv[1:])
