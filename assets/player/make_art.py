"""Draws the card player's icons into assets/player/*.ico.

Everything is built from circles, ellipses, polygons and capsules with a
small supersampling rasteriser, then reduced to a palette of at most 256
colours (written at 4 or 8 bits per pixel, whichever holds it) with a
1-bit mask, which is what LoadImage/DrawIconEx (and the old AND/XOR way
of drawing icons) expect.

Usage: python3 -m assets.player.make_art [output_dir] [--no-preview]
The output directory defaults to assets/player next to this script's
parent; a review sheet preview.png is written there as well.
"""

import math
import os
import struct
import sys

from devkit import png

SS = 6            # samples per pixel axis inside the rasteriser
EDGE = 0.75       # beyond this distance from a shape a pixel is all in/out


# ----------------------------------------------------------------- colours

def mix(a, b, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def ramp(stops, t):
    """Piecewise linear colour ramp; stops are (position, colour)."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def scale(c, k):
    return tuple(min(255.0, v * k) for v in c)


def luma(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


# -------------------------------------------------- signed distance shapes
# Each shape is f(x, y) -> distance to its border, negative inside.
# Pixel (i, j) covers [i, i+1] x [j, j+1]; y grows downwards.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # first-order distance estimate, close enough near the border to
    # grow and shrink ellipses by a pixel
    def f(x, y):
        dx, dy = x - cx, y - cy
        k0 = math.hypot(dx / rx, dy / ry)
        k1 = math.hypot(dx / (rx * rx), dy / (ry * ry))
        if k1 == 0:
            return -min(rx, ry)
        return k0 * (k0 - 1.0) / k1
    return f


def capsule(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9

    def f(x, y):
        wx, wy = x - ax, y - ay
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return f


def polygon(pts):
    pts = [tuple(p) for p in pts]
    n = len(pts)

    def f(x, y):
        d = float("inf")
        s = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            bx, by = wx - ex * t, wy - ey * t
            dd = bx * bx + by * by
            if dd < d:
                d = dd
            c1 = y >= viy
            c2 = y < vjy
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    return f


def box(x0, y0, x1, y1):
    return polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def grow(f, d):
    return lambda x, y: f(x, y) - d


def rot(px, py, cx, cy, ang):
    """Rotate a point about (cx, cy); ang in degrees, clockwise on screen."""
    a = math.radians(ang)
    dx, dy = px - cx, py - cy
    return (cx + dx * math.cos(a) - dy * math.sin(a),
            cy + dx * math.sin(a) + dy * math.cos(a))


# --------------------------------------------------------------- the canvas

class Canvas:
    """Premultiplied RGBA floats; later fills go over earlier ones."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(w)] for _ in range(h)]

    def coverage(self, f, x, y):
        d = f(x + 0.5, y + 0.5)
        if d > EDGE:
            return 0.0
        if d < -EDGE:
            return 1.0
        n = 0
        step = 1.0 / SS
        for sy in range(SS):
            yy = y + (sy + 0.5) * step
            for sx in range(SS):
                if f(x + (sx + 0.5) * step, yy) < 0:
                    n += 1
        return n / (SS * SS)

    def fill(self, f, colour, clip=None):
        for y in range(self.h):
            for x in range(self.w):
                c = self.coverage(f, x, y)
                if c <= 0:
                    continue
                if clip is not None:
                    c *= self.coverage(clip, x, y)
                    if c <= 0:
                        continue
                col = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                p = self.px[y][x]
                k = 1.0 - c
                p[0] = col[0] * c + p[0] * k
                p[1] = col[1] * c + p[1] * k
                p[2] = col[2] * c + p[2] * k
                p[3] = c + p[3] * k

    def finish(self, threshold=0.5):
        """Hard 1-bit mask, colours taken back out of premultiplication."""
        img = Image(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                r, g, b, a = self.px[y][x]
                if a >= threshold:
                    img.mask[y][x] = False
                    img.rgb[y][x] = (r / a, g / a, b / a)
        return img


class Image:
    """Opaque colours plus a mask (True = transparent)."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.rgb = [[(0.0, 0.0, 0.0)] * w for _ in range(h)]
        self.mask = [[True] * w for _ in range(h)]

    def edge(self, x, y):
        """Opaque pixel touching the outside (4-neighbourhood, frame too)."""
        if self.mask[y][x]:
            return False
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            nx, ny = x + dx, y + dy
            if not (0 <= nx < self.w and 0 <= ny < self.h) or self.mask[ny][nx]:
                return True
        return False

    def darken_rim(self, limit, colour_of):
        """A hard mask shows every rim pixel as is, so a light one would
        glow on a dark desktop: rims brighter than `limit` get a dark tone."""
        fix = [(x, y) for y in range(self.h) for x in range(self.w)
               if self.edge(x, y) and luma(self.rgb[y][x]) > limit]
        for x, y in fix:
            self.rgb[y][x] = colour_of(self.rgb[y][x])


# ------------------------------------------------------------ palette + ICO

def quantise(img):
    """Index 0 is black and serves the transparent pixels.  Up to 255 more
    exact colours are kept; beyond that a median cut picks them."""
    cols = {}
    for y in range(img.h):
        for x in range(img.w):
            if img.mask[y][x]:
                continue
            c = tuple(int(round(max(0.0, min(255.0, v)))) for v in img.rgb[y][x])
            cols[c] = cols.get(c, 0) + 1
    cols.pop((0, 0, 0), None)
    distinct = sorted(cols)
    if len(distinct) <= 255:
        pal = distinct
    else:
        pal = median_cut(cols, 255)
    palette = [(0, 0, 0)] + sorted(set(pal))
    lookup = {}

    def index_of(c):
        if c not in lookup:
            best, bd = 0, None
            for i, p in enumerate(palette):
                d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2
                if bd is None or d < bd:
                    best, bd = i, d
            lookup[c] = best
        return lookup[c]

    idx = [[0] * img.w for _ in range(img.h)]
    for y in range(img.h):
        for x in range(img.w):
            if not img.mask[y][x]:
                c = tuple(int(round(max(0.0, min(255.0, v)))) for v in img.rgb[y][x])
                idx[y][x] = index_of(c)
    # a median-cut colour nobody ended up nearest to is dropped, so every
    # entry past the used ones stays zero
    used = sorted({i for row in idx for i in row} | {0})
    remap = {old: new for new, old in enumerate(used)}
    return [palette[i] for i in used], [[remap[i] for i in row] for row in idx]


def median_cut(counts, n):
    boxes = [list(counts.items())]
    while len(boxes) < n:
        best, span, ch = None, -1, 0
        for bi, b in enumerate(boxes):
            if len(b) < 2:
                continue
            for c in range(3):
                vals = [k[c] for k, _ in b]
                s = max(vals) - min(vals)
                if s > span:
                    best, span, ch = bi, s, c
        if best is None:
            break
        b = sorted(boxes.pop(best), key=lambda kv: kv[0][ch])
        total = sum(v for _, v in b)
        acc, cut = 0, 1
        for i, (_, v) in enumerate(b):
            acc += v
            if acc * 2 >= total:
                cut = max(1, min(len(b) - 1, i + 1))
                break
        boxes += [b[:cut], b[cut:]]
    pal = []
    for b in boxes:
        tot = sum(v for _, v in b)
        pal.append(tuple(int(round(sum(k[c] * v for k, v in b) / tot)) for c in range(3)))
    return pal


def ico_bytes(img):
    """The smallest exact encoding: 4 bits per pixel for at most 16 colours,
    else 8, with the palette cut to the colours used (biClrUsed says how
    many) and the 1-bit mask behind the pixels."""
    palette, idx = quantise(img)
    w, h = img.w, img.h
    bpp = 4 if len(palette) <= 16 else 8
    xor_stride = (w * bpp + 31) // 32 * 4
    and_stride = (w + 31) // 32 * 4
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(xor_stride)
        for x in range(w):
            if bpp == 8:
                row[x] = idx[y][x]
            else:
                row[x >> 1] |= idx[y][x] << (0 if x & 1 else 4)
        pixels += row
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(and_stride)
        for x in range(w):
            if img.mask[y][x]:
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    size_image = len(pixels) + len(mask)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, size_image, 0, 0, len(palette), 0)
    pal = bytearray()
    for r, g, b in palette:
        pal += bytes((b, g, r, 0))
    body = header + pal + pixels + mask
    head = struct.pack("<HHH", 0, 1, 1)
    colours = len(palette) if bpp == 4 else 0
    entry = struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, colours, 0, 1, bpp, len(body), 22)
    return head + entry + bytes(body)


def read_ico(data):
    """Back from .ico bytes to (w, h, rgb rows, mask rows); used for the
    review sheet so it shows exactly what was written."""
    w, h, _, _, _, _, _, off = struct.unpack_from("<BBBBHHII", data, 6)
    w = w or 256
    h = h or 256
    bpp, used = struct.unpack_from("<H", data, off + 14)[0], struct.unpack_from("<I", data, off + 32)[0]
    pal_off = off + 40
    n = used or 1 << bpp
    palette = [(data[pal_off + 4 * i + 2], data[pal_off + 4 * i + 1], data[pal_off + 4 * i])
               for i in range(n)]
    xor_off = pal_off + 4 * n
    xor_stride = (w * bpp + 31) // 32 * 4
    and_off = xor_off + xor_stride * h
    and_stride = (w + 31) // 32 * 4
    rgb, mask = [], []
    for y in range(h):
        row = xor_off + (h - 1 - y) * xor_stride
        if bpp == 8:
            rgb.append([palette[data[row + x]] for x in range(w)])
        else:
            rgb.append([palette[(data[row + (x >> 1)] >> (0 if x & 1 else 4)) & 15] for x in range(w)])
        mrow = and_off + (h - 1 - y) * and_stride
        mask.append([bool(data[mrow + (x >> 3)] & (0x80 >> (x & 7))) for x in range(w)])
    return w, h, rgb, mask


# ------------------------------------------------------------------ drawings

def draw_neve():
    c = Canvas(32, 32)
    # centred on a pixel so the vertical arms get a one-pixel spine
    cx, cy = 15.5, 15.5
    arm_r = 0.62
    parts = []
    for k in range(6):
        a = math.radians(90 + 60 * k)
        dx, dy = math.cos(a), -math.sin(a)
        tip = 14.0
        parts.append(capsule(cx, cy, cx + dx * tip, cy + dy * tip, arm_r))
        for t, ln in ((6.0, 3.3), (10.2, 2.7)):
            bx, by = cx + dx * t, cy + dy * t
            for s in (-1, 1):
                b = math.radians(90 + 60 * k + s * 58)
                parts.append(capsule(bx, by, bx + math.cos(b) * ln,
                                     by - math.sin(b) * ln, arm_r))
    hexagon = polygon([rot(cx, cy - 2.2, cx, cy, 60 * k + 30) for k in range(6)])
    flake = union(hexagon, *parts)
    dark = (52, 92, 168)
    c.fill(grow(flake, 1.0), dark)

    def ice(x, y):
        r = math.hypot(x - cx, y - cy) / 14.0
        return ramp([(0.0, (255, 255, 255)), (0.4, (222, 240, 255)),
                     (1.0, (160, 204, 246))], r)
    c.fill(flake, ice)
    img = c.finish()
    img.darken_rim(140, lambda col: dark)
    return img


def draw_green():
    c = Canvas(32, 32)
    tri = polygon([(16.0, -0.6), (32.6, 32.0), (-0.6, 32.0)])
    outline = (12, 44, 16)
    c.fill(tri, outline)
    inner = grow(tri, -1.05)

    def needles(x, y):
        t = x / 32.0
        # most of a stamp hides under the next one: only its left third
        # shows, so that third carries the whole light-to-mid ramp
        base = ramp([(0.0, (150, 226, 96)), (0.14, (98, 194, 72)),
                     (0.32, (48, 150, 52)), (0.65, (28, 112, 40)),
                     (1.0, (14, 72, 26))], t)
        # a touch darker towards the base so stacked rows read as layers
        return scale(base, 1.05 - 0.18 * (y / 32.0))
    c.fill(inner, needles)
    img = c.finish()
    img.darken_rim(70, lambda col: outline)
    return img


def star_points(cx, cy, R, r):
    pts = []
    for k in range(10):
        a = math.radians(-90 + 36 * k)
        rad = R if k % 2 == 0 else r
        pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    return pts


STAR_LIGHT = (-0.55, -0.75, 0.9)


def draw_star(bright=True):
    c = Canvas(48, 48)
    cx, cy, R = 24.0, 25.6, 24.2
    # slightly rounded tips: shrink, then grow back by the same amount
    star = grow(polygon(star_points(cx, cy, R - 0.7, (R - 0.7) * 0.53)), 0.7)
    brown = (92, 50, 12)
    ipts = star_points(cx, cy, R, R * 0.53)
    if bright:
        stops = [(0.0, (176, 104, 0)), (0.45, (244, 184, 16)),
                 (0.8, (255, 226, 70)), (1.0, (255, 250, 190))]
    else:
        stops = [(0.0, (112, 66, 0)), (0.45, (170, 118, 6)),
                 (0.8, (200, 152, 30)), (1.0, (226, 192, 96))]
    lx, ly, lz = STAR_LIGHT
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln
    height = 6.0
    for k in range(10):
        a, b = ipts[k], ipts[(k + 1) % 10]
        # normal of the plane through centre (raised), a and b
        ux, uy, uz = a[0] - cx, a[1] - cy, -height
        vx, vy, vz = b[0] - cx, b[1] - cy, -height
        nx, ny, nz = uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx
        if nz < 0:
            nx, ny, nz = -nx, -ny, -nz
        nl = math.sqrt(nx * nx + ny * ny + nz * nz)
        lum = max(0.0, (nx * lx + ny * ly + nz * lz) / nl)
        col = ramp(stops, lum)
        # Facets are grown a little so neighbours overlap instead of
        # leaving a half-covered seam; the star's own shape clips them.
        facet = grow(polygon([(cx, cy), a, b]), 0.35)
        c.fill(facet, col, clip=star)
    img = c.finish()
    # the outline is exactly the rim of the mask: one even pixel all round,
    # and since the mask comes from geometry alone both stars share it
    img.darken_rim(-1, lambda col: brown)
    return img


def sphere_shade(cx, cy, r, stops, shine=None):
    lx, ly, lz = -0.5, -0.62, 0.6
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln

    def f(x, y):
        dx, dy = (x - cx) / r, (y - cy) / r
        d2 = dx * dx + dy * dy
        dz = math.sqrt(max(0.0, 1.0 - d2))
        lum = max(0.0, dx * lx + dy * ly + dz * lz)
        col = ramp(stops, lum)
        if shine is not None:
            hx = dx - (-0.42)
            hy = dy - (-0.45)
            k = math.exp(-(hx * hx + hy * hy) / (2 * shine[1] ** 2))
            col = mix(col, shine[0], k)
        return col
    return f


def draw_snowman():
    c = Canvas(32, 32)
    ink = (54, 62, 92)
    snow_stops = [(0.0, (150, 168, 206)), (0.45, (206, 220, 242)),
                  (0.8, (246, 250, 255)), (1.0, (255, 255, 255))]
    # stick arms first so the body hides their inner ends
    stick_dark = (86, 40, 8)
    stick = (232, 128, 36)
    arms = [[(8.0, 19.8, 1.2, 13.4), (4.6, 16.6, 4.8, 11.6)],
            [(24.0, 19.8, 30.8, 13.4), (27.4, 16.6, 27.2, 11.6)]]
    for arm in arms:
        c.fill(union(*[capsule(*seg, 1.35) for seg in arm]), stick_dark)
    for arm in arms:
        c.fill(union(*[capsule(*seg, 0.5) for seg in arm]), stick)

    # a lumpy drift rather than a flat plate
    ground = union(ellipse(8.0, 33.0, 12.0, 6.2), ellipse(25.0, 33.4, 10.0, 5.4),
                   ellipse(16.0, 34.6, 19.0, 6.2))
    body = circle(16.0, 21.4, 11.1)
    head = circle(16.0, 10.6, 7.3)
    for part, (sx, sy, sr) in ((body, (16.0, 21.4, 10.3)), (head, (16.0, 10.6, 6.5))):
        c.fill(part, ink)
        c.fill(grow(part, -1.0), sphere_shade(sx, sy, sr, snow_stops))
    c.fill(ground, ink)
    c.fill(grow(ground, -1.0), sphere_shade(11.0, 36.0, 13.0, snow_stops))

    # scarf: a band under the chin, one end hanging down the left side
    red_d, red, red_l = (92, 6, 14), (206, 28, 36), (248, 96, 86)
    band = ellipse(16.0, 18.0, 7.6, 1.3)
    tail = polygon([(9.6, 18.0), (12.8, 18.4), (12.2, 23.8), (8.8, 23.2)])
    scarf = union(band, tail)
    c.fill(grow(scarf, 1.0), red_d)
    c.fill(scarf, lambda x, y: mix(red_l, red, (x - 9.0) / 9.0 + (y - 16.9) / 3.0))
    c.fill(box(9.0, 21.2, 12.6, 22.0), red_d)

    # top hat with a red band
    hat_d = (20, 20, 30)
    crown = box(10.6, 0.0, 21.4, 4.4)
    brim = capsule(7.8, 4.6, 24.2, 4.6, 1.0)
    c.fill(union(crown, brim), hat_d)
    c.fill(box(12.0, 0.0, 13.4, 2.0), (78, 80, 100))
    c.fill(box(10.6, 2.5, 21.4, 3.7), (204, 30, 40))
    c.fill(box(12.0, 2.5, 13.4, 3.7), (250, 110, 100))

    coal = (16, 16, 24)
    c.fill(circle(13.0, 9.0, 1.1), coal)
    c.fill(circle(19.0, 9.0, 1.1), coal)
    # carrot nose pointing to the right
    c.fill(polygon([(15.6, 10.3), (22.6, 11.7), (15.6, 12.5)]), (240, 122, 28))
    c.fill(polygon([(15.6, 11.7), (22.6, 11.7), (15.6, 12.5)]), (184, 76, 10))
    # the smile sits on whole pixels: at this size a blurred one vanishes
    for sx, sy in ((12, 13), (19, 13), (13, 14), (14, 14), (15, 14), (16, 14), (17, 14), (18, 14)):
        c.fill(box(sx + 0.05, sy + 0.05, sx + 0.95, sy + 0.95), coal)
    for by in (20.0, 22.9, 25.8):
        c.fill(grow(box(15.3, by + 0.3, 16.7, by + 1.7), 0.45), coal)
    img = c.finish()
    img.darken_rim(120, lambda col: ink)
    return img


def candle_body(c, x0, x1, y0, y1):
    """A red wax cylinder from y0 (top rim) to y1 (bottom)."""
    wax_d = (70, 0, 8)
    mid = (x0 + x1) / 2
    body = union(box(x0, y0, x1, y1), ellipse(mid, y0, (x1 - x0) / 2, 1.3))
    c.fill(grow(body, 1.0), wax_d)
    def wax(x, y):
        t = (x - x0) / (x1 - x0)
        return ramp([(0.0, (176, 12, 24)), (0.22, (255, 112, 104)),
                     (0.42, (226, 32, 40)), (0.8, (164, 6, 20)),
                     (1.0, (110, 0, 12))], t)
    c.fill(body, wax)
    # the top face: a light rim round a darker pool of melted wax
    c.fill(ellipse(mid, y0, (x1 - x0) / 2 - 0.2, 1.3), (255, 150, 140))
    c.fill(ellipse(mid + 0.2, y0 + 0.1, (x1 - x0) / 2 - 1.6, 0.75), (196, 30, 40))
    # a run of wax down the darker side of the front
    drip = capsule(mid + 1.9, y0 + 0.6, mid + 1.9, y0 + 5.6, 0.85)
    c.fill(drip, lambda x, y: mix((255, 136, 126), (236, 64, 66), (y - y0) / 6.0))
    c.fill(box(mid + 2.8, y0 + 1.2, mid + 3.4, y0 + 6.2), (120, 0, 14))


def flame(c, cx, tip, base, width):
    """Teardrop flame: round bottom resting at `base`, point at `tip`."""
    r = width / 2.0
    by = base - r
    shape = union(circle(cx, by, r),
                  polygon([(cx - r * 0.98, by - 0.2), (cx + 0.2, tip), (cx + r * 0.98, by - 0.2)]))
    c.fill(grow(shape, 0.9), (192, 72, 0))

    def fire(x, y):
        t = (y - tip) / (base - tip)
        return ramp([(0.0, (255, 110, 10)), (0.3, (255, 176, 24)),
                     (0.6, (255, 226, 70)), (1.0, (255, 200, 60))], t)
    c.fill(shape, fire)
    core = ellipse(cx, by - r * 0.25, r * 0.5, r * 1.25)
    c.fill(core, (255, 252, 216))


def draw_candle():
    c = Canvas(32, 32)
    candle_body(c, 12.0, 20.0, 13.0, 31.0)
    c.fill(capsule(16.0, 13.2, 16.0, 10.2, 0.5), (34, 22, 18))
    flame(c, 16.0, 0.4, 10.6, 6.2)
    img = c.finish()
    img.darken_rim(130, lambda col: scale(col, 0.45))
    return img


def draw_bauble():
    c = Canvas(32, 32)
    # the sprig: needles fan out forwards from a twig that dips a little
    # to the left; alternating shades keep neighbouring needles apart
    def on_twig(x):
        return 5.0 + 0.04 * (16.0 - x) * abs(16.0 - x) / 16.0

    lower, upper = [], []
    x, k = -2.0, 0
    while x < 33.5:
        y = on_twig(x)
        wob = (0.6, -0.4, 0.1)[k % 3]
        upper.append((x, y, x + 2.6 + wob, y - 3.9 - wob, k))
        lower.append((x + 0.5, y, x + 3.2 - wob, y + 4.6 + wob, k))
        x += 1.55
        k += 1
    for x0, y0, x1, y1, k in lower:
        c.fill(capsule(x0, y0, x1, y1, 0.6), ((18, 78, 32), (30, 104, 42), (22, 90, 36))[k % 3])
    for x0, y0, x1, y1, k in upper:
        c.fill(capsule(x0, y0, x1, y1, 0.6), ((48, 138, 56), (74, 164, 70), (36, 118, 48))[k % 3])
    c.fill(union(*[capsule(xa, on_twig(xa), xa + 2.0, on_twig(xa + 2.0), 0.5)
                   for xa in range(-2, 34, 2)]), (92, 56, 24))

    # thread from the twig down to the cap
    c.fill(capsule(16.0, 3.6, 16.0, 8.0, 0.55), (212, 182, 80))
    ball_y, ball_r = 21.2, 10.25
    red_stops = [(0.0, (80, 0, 10)), (0.35, (152, 6, 22)), (0.7, (218, 24, 38)),
                 (1.0, (255, 96, 92))]
    ball = circle(16.0, ball_y, ball_r)
    c.fill(ball, (62, 0, 8))
    c.fill(grow(ball, -1.0), sphere_shade(16.0, ball_y, ball_r - 0.6, red_stops,
                                          ((255, 240, 236), 0.15)))
    # gold cap
    cap = box(13.2, 8.8, 18.8, 11.4)
    c.fill(grow(cap, 1.0), (84, 56, 6))
    c.fill(cap, lambda x, y: ramp([(0.0, (255, 236, 140)), (0.45, (226, 174, 40)),
                                    (1.0, (136, 92, 10))], (x - 13.2) / 5.6))
    # the bow, tied on the cap
    bow_d = (78, 0, 12)
    loops = union(ellipse(12.4, 7.6, 2.6, 1.9), ellipse(19.6, 7.6, 2.6, 1.9))
    tails = union(capsule(15.2, 9.0, 13.2, 13.0, 0.8), capsule(16.8, 9.0, 18.8, 13.0, 0.8))
    c.fill(grow(union(loops, tails), 1.0), bow_d)
    c.fill(tails, (190, 16, 32))
    c.fill(loops, lambda x, y: mix((252, 96, 92), (192, 16, 30), (y - 6.0) / 3.4))
    c.fill(union(ellipse(12.6, 7.8, 1.0, 0.6), ellipse(19.4, 7.8, 1.0, 0.6)), (120, 0, 16))
    c.fill(circle(16.0, 8.2, 1.9), bow_d)
    c.fill(circle(16.0, 8.2, 1.1), (236, 60, 62))
    img = c.finish()
    img.darken_rim(130, lambda col: scale(col, 0.4))
    return img


def holly_leaf(ax, ay, bx, by, half_w, spikes=3):
    """Holly leaf from stalk (a) to tip (b), spikes along both edges."""
    L = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / L, (by - ay) / L
    nx, ny = -uy, ux
    left, right = [], []
    steps = spikes * 2
    for i in range(1, steps):
        t = i / steps
        w = half_w * math.sin(math.pi * (0.12 + 0.82 * t)) ** 0.6
        # spike tips lean towards the leaf tip, notches cut deep
        tt = t + (0.04 if i % 2 == 1 else 0.0)
        w *= 1.3 if i % 2 == 1 else 0.42
        px, py = ax + ux * L * tt, ay + uy * L * tt
        left.append((px + nx * w, py + ny * w))
        right.append((px - nx * w, py - ny * w))
    return polygon([(ax, ay)] + left + [(bx, by)] + right[::-1])


def draw_window():
    c = Canvas(32, 32)
    # the holly lies behind the candle's foot, berries in front
    leaf_d = (6, 42, 14)
    leaves = [(15.0, 27.6, 1.2, 19.6, 3.4), (19.0, 28.0, 31.0, 21.4, 3.1),
              (14.0, 28.6, 3.2, 31.0, 2.6)]
    for ax, ay, bx, by, hw in leaves:
        leaf = holly_leaf(ax, ay, bx, by, hw)
        c.fill(grow(leaf, 1.0), leaf_d)
        L = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / L, (by - ay) / L

        def shade(x, y, ax=ax, ay=ay, ux=ux, uy=uy):
            # the upper half faces the light, the lower half turns away
            nx, ny = (uy, -ux) if ux > 0 else (-uy, ux)
            side = -((x - ax) * nx + (y - ay) * ny)
            return ramp([(-3.0, (92, 186, 84)), (-0.8, (50, 146, 60)),
                         (0.2, (26, 104, 40)), (3.0, (14, 68, 26))], side)
        c.fill(leaf, shade)
    candle_body(c, 13.0, 21.0, 12.6, 29.4)
    c.fill(capsule(17.0, 12.8, 17.0, 9.8, 0.5), (34, 22, 18))
    flame(c, 17.0, 0.4, 10.2, 6.2)
    # berries sit on the green, where red reads best
    for bx, by in ((9.8, 25.2), (7.0, 27.4), (10.0, 28.8)):
        c.fill(circle(bx, by, 2.35), (72, 0, 6))
        c.fill(circle(bx, by, 1.55), sphere_shade(bx, by, 1.55,
                                                  [(0.0, (150, 0, 16)), (0.6, (222, 20, 30)),
                                                   (1.0, (255, 120, 110))]))
        c.fill(circle(bx - 0.5, by - 0.5, 0.5), (255, 226, 222))
    img = c.finish()
    img.darken_rim(130, lambda col: scale(col, 0.45))
    return img


ICONS = [
    ("neve.ico", draw_neve),
    ("green.ico", draw_green),
    ("star_bright.ico", lambda: draw_star(True)),
    ("star_dark.ico", lambda: draw_star(False)),
    ("snowman.ico", draw_snowman),
    ("candle.ico", draw_candle),
    ("bauble.ico", draw_bauble),
    ("window.ico", draw_window),
]


# ------------------------------------------------------------ review sheet

def png_bytes(w, h, rows):
    return png.encode(w, h, (b"".join(bytes(c) for c in row) for row in rows))


class Sheet:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def rect(self, x0, y0, x1, y1, col):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = col

    def icon(self, ico, x0, y0, zoom=1):
        w, h, rgb, mask = ico
        for y in range(h):
            for x in range(w):
                if mask[y][x]:
                    continue
                for yy in range(zoom):
                    py = y0 + y * zoom + yy
                    if not 0 <= py < self.h:
                        continue
                    row = self.px[py]
                    for xx in range(zoom):
                        px = x0 + x * zoom + xx
                        if 0 <= px < self.w:
                            row[px] = rgb[y][x]

    def enlarge(self, x0, y0, w, h, zoom, dx, dy):
        src = [row[x0:x0 + w] for row in self.px[y0:y0 + h]]
        for y in range(h):
            for x in range(w):
                self.rect(dx + x * zoom, dy + y * zoom, dx + (x + 1) * zoom,
                          dy + (y + 1) * zoom, src[y][x])


NIGHT = (12, 22, 74)
PAPER = (236, 234, 222)
DESK = (0, 128, 128)
GREY = (128, 128, 128)


def tree_strip(sheet, green, x0, y0, n=20):
    """Stamps as the card lays them: 10 px apart, each drawn over the one
    before, the row climbing and falling by 2 px a stamp."""
    for i in range(n):
        phase = i % 12
        climb = phase if phase <= 6 else 12 - phase
        sheet.icon(green, x0 + i * 10, y0 + 14 - 2 * climb)


def mini_tree(sheet, green, cx, top, rows=7):
    """A few zig-zag rows of stamps, widest at the bottom, to judge the
    pattern they make together."""
    for r in range(rows):
        n = 1 + r
        y = top + r * 11
        x0 = cx - 16 - (n - 1) * 5
        for i in range(n):
            sheet.icon(green, x0 + i * 10, y + (2 if i % 2 else 0))


def make_preview(icos, path):
    names = [n for n, _ in ICONS]
    W, H = 680, 760
    sheet = Sheet(W, H, (48, 48, 48))
    # actual size on a night sky, on paper and on a classic desktop
    for b, bg in enumerate((NIGHT, PAPER, DESK)):
        y = b * 58
        sheet.rect(0, y, 488, y + 58, bg)
        for i, n in enumerate(names):
            w, h = icos[n][0], icos[n][1]
            sheet.icon(icos[n], 8 + i * 60 + (48 - w) // 2, y + 5 + (48 - h) // 2)
    sheet.rect(488, 0, W, 174, NIGHT)
    mini_tree(sheet, icos["green.ico"], 584, 8, rows=7)
    # the tree strip, at actual size and doubled
    y = 178
    sheet.rect(0, y, W, y + 130, GREY)
    tree_strip(sheet, icos["green.ico"], 8, y + 6, n=20)
    sheet.rect(0, y + 66, 232, y + 130, NIGHT)
    tree_strip(sheet, icos["green.ico"], 8, y + 72, n=20)
    sheet.enlarge(8, y + 6, 210, 54, 2, 240, y + 10)
    # four times, on the night sky
    y = 312
    sheet.rect(0, y, W, y + 340, NIGHT)
    x = 8
    for n in ("star_bright.ico", "star_dark.ico", "neve.ico"):
        sheet.icon(icos[n], x, y + 4, zoom=4)
        x += icos[n][0] * 4 + 12
    x = 8
    for n in ("green.ico", "snowman.ico", "candle.ico", "bauble.ico", "window.ico"):
        sheet.icon(icos[n], x, y + 204, zoom=4)
        x += 132
    # twice, on paper
    y = 656
    sheet.rect(0, y, W, H, PAPER)
    x = 8
    for n in names:
        sheet.icon(icos[n], x, y + 4 + (48 - icos[n][1]), zoom=2)
        x += icos[n][0] * 2 + 12
    rows = [[tuple(int(v) for v in p) for p in row] for row in sheet.px]
    with open(path, "wb") as fh:
        fh.write(png_bytes(W, H, rows))


def main(argv):
    import argparse
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description="Draw the card player's icons.")
    ap.add_argument("out", nargs="?", default=here,
                    help="output folder (default: assets/player)")
    ap.add_argument("--no-preview", action="store_true", help="skip preview.png")
    args = ap.parse_args(argv[1:])
    os.makedirs(args.out, exist_ok=True)
    icos = {}
    for name, draw in ICONS:
        data = ico_bytes(draw())
        with open(os.path.join(args.out, name), "wb") as fh:
            fh.write(data)
        icos[name] = read_ico(data)
    if not args.no_preview:
        make_preview(icos, os.path.join(args.out, "preview.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
