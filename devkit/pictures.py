"""Pictures of the screen and of our icons, as the end-to-end tests and
tools/run look at them: pixels as (r, g, b) tuples."""

import os
import struct

from devkit import png


class Image:
    """An RGB picture with pixels as (r, g, b) tuples."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def from_bmp(cls, path):
        with open(path, "rb") as f:
            data = f.read()
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height = struct.unpack_from("<ii", data, 18)
        stride = (width * 3 + 3) // 4 * 4
        rgb = bytearray(width * height * 3)
        for y in range(height):
            row = data[offset + (height - 1 - y) * stride: offset + (height - 1 - y) * stride + width * 3]
            line = bytearray(row)
            line[0::3], line[2::3] = row[2::3], row[0::3]  # BGR to RGB
            rgb[y * width * 3:(y + 1) * width * 3] = line
        return cls(width, height, bytes(rgb))

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, left, top, width, height):
        rows = [self.rgb[((top + y) * self.width + left) * 3:((top + y) * self.width + left + width) * 3]
                for y in range(height)]
        return Image(width, height, b"".join(rows))

    def differences(self, other):
        """Points where the two pictures differ (same size required)."""
        assert (self.width, self.height) == (other.width, other.height)
        points = []
        w = self.width * 3
        for y in range(self.height):
            a, b = self.rgb[y * w:(y + 1) * w], other.rgb[y * w:(y + 1) * w]
            if a != b:
                for x in range(self.width):
                    if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3]:
                        points.append((x, y))
        return points

    def count(self, predicate, box=None):
        left, top, width, height = box or (0, 0, self.width, self.height)
        n = 0
        for y in range(max(top, 0), min(top + height, self.height)):
            for x in range(max(left, 0), min(left + width, self.width)):
                if predicate(self.pixel(x, y)):
                    n += 1
        return n

    def save_png(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        w = self.width * 3
        rows = (self.rgb[y * w:(y + 1) * w] for y in range(self.height))
        with open(path, "wb") as f:
            f.write(png.encode(self.width, self.height, rows, level=6))


def desktop_picture(width, height):
    """A picture in which nearly every pixel differs from its neighbours, so
    a copy shifted by a pixel or scaled shows at once."""
    rows = []
    for y in range(height):
        g = y & 255
        hi_y = (y >> 8) * 90
        rows.append(bytes(c for x in range(width) for c in (x & 255, g, ((x >> 8) * 40 + hi_y + 60) & 255)))
    return Image(width, height, b"".join(rows))


def rect_contains(rect, point):
    left, top, width, height = rect
    return left <= point[0] < left + width and top <= point[1] < top + height


class Icon:
    """One of our single-image icons: colour of each opaque pixel."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        offset = struct.unpack_from("<I", data, 18)[0]
        header, width, height2, _, bits = struct.unpack_from("<IiiHH", data, offset)
        height = height2 // 2
        assert bits in (4, 8), "our icons hold at most 256 colours"
        entries = struct.unpack_from("<I", data, offset + 32)[0] or 1 << bits
        palette = [tuple(data[offset + header + 4 * i:offset + header + 4 * i + 3][::-1]) for i in range(entries)]
        pixels = offset + header + 4 * entries
        stride = (width * bits + 31) // 32 * 4
        mask = pixels + stride * height
        mask_stride = ((width + 31) // 32) * 4
        self.width, self.height = width, height
        self.opaque = {}
        for row in range(height):
            y = height - 1 - row
            for x in range(width):
                transparent = data[mask + row * mask_stride + x // 8] & (0x80 >> (x % 8))
                if not transparent:
                    at = pixels + row * stride
                    index = data[at + x] if bits == 8 else data[at + x // 2] >> (0 if x % 2 else 4) & 15
                    self.opaque[(x, y)] = palette[index]

    def match(self, image, left, top, columns=None):
        """Share of the icon's opaque pixels (optionally only some columns)
        that the image shows exactly, with the icon's corner at left, top."""
        points = [(p, c) for p, c in self.opaque.items() if columns is None or p[0] in columns]
        hits = 0
        for (x, y), colour in points:
            sx, sy = left + x, top + y
            if 0 <= sx < image.width and 0 <= sy < image.height and image.pixel(sx, sy) == colour:
                hits += 1
        return hits / len(points) if points else 0.0
