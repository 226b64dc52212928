"""Icons (.ico) to PNG, for the web card's pictures.

Reads any BMP-in-ICO image of 1, 4, 8, 24 or 32 bits per pixel with a palette
of any length, transparency from the AND mask (or from the alpha channel of
32-bit images that have one); PNG-in-ICO images pass through unchanged.
Writes the smallest plain PNG: indexed with transparency where at most 256
colours occur, RGBA otherwise.
"""

import struct

from devkit import png


class IconError(ValueError):
    pass


def largest_image(data):
    """The bytes of the icon's largest image, and its size."""
    if len(data) < 6:
        raise IconError('too short for an icon')
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise IconError('not an icon')
    best = None
    for i in range(count):
        w, h, _, _, _, _, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        w, h = w or 256, h or 256
        if offset + size > len(data):
            raise IconError('image %d runs past the file' % i)
        if best is None or w * h > best[0] * best[1]:
            best = (w, h, data[offset:offset + size])
    return best


def decode_bmp(dib):
    """RGBA rows, top row first, of a BMP-in-ICO image."""
    header_size, width, height2, planes, bpp, compression, _, _, _, used, _ = \
        struct.unpack_from('<IiiHHIIiiII', dib, 0)
    if compression != 0:
        raise IconError('compressed icon images are not read')
    height = height2 // 2
    if bpp not in (1, 4, 8, 24, 32) or width <= 0 or height <= 0:
        raise IconError('%d bits per pixel, %dx%d' % (bpp, width, height))
    pos = header_size
    palette = []
    if bpp <= 8:
        colours = used or (1 << bpp)
        for i in range(colours):
            b, g, r, _ = dib[pos + 4 * i:pos + 4 * i + 4]
            palette.append((r, g, b))
        pos += 4 * colours
    stride = ((width * bpp + 31) // 32) * 4
    mask_stride = ((width + 31) // 32) * 4
    mask_pos = pos + stride * height
    if mask_pos + mask_stride * height > len(dib) and bpp != 32:
        raise IconError('image data cut short')
    pixels = []
    for row in range(height):
        src = pos + (height - 1 - row) * stride
        line = []
        for x in range(width):
            if bpp == 32:
                b, g, r, a = dib[src + 4 * x:src + 4 * x + 4]
                line.append([r, g, b, a])
                continue
            if bpp == 24:
                b, g, r = dib[src + 3 * x:src + 3 * x + 3]
            else:
                bit = x * bpp
                byte = dib[src + bit // 8]
                index = (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)
                r, g, b = palette[index] if index < len(palette) else (0, 0, 0)
            line.append([r, g, b, 255])
        pixels.append(line)
    # A 32-bit image whose alpha is all zero has none: the mask says it all.
    has_alpha = bpp == 32 and any(p[3] for line in pixels for p in line)
    if not has_alpha:
        for line in pixels:
            for p in line:
                p[3] = 255
        if mask_pos + mask_stride * height <= len(dib):
            for row in range(height):
                src = mask_pos + (height - 1 - row) * mask_stride
                for x in range(width):
                    if (dib[src + x // 8] >> (7 - x % 8)) & 1:
                        pixels[row][x] = [0, 0, 0, 0]
    return width, height, pixels


def encode_png(width, height, pixels):
    colours = []
    seen = {}
    for line in pixels:
        for p in line:
            key = tuple(p) if p[3] else (0, 0, 0, 0)
            if key not in seen:
                seen[key] = len(colours)
                colours.append(key)
    if len(colours) > 256:
        rows = (b''.join(bytes(p) for p in line) for line in pixels)
        return png.encode(width, height, rows, colour=png.RGBA)
    depth = 1 if len(colours) <= 2 else 2 if len(colours) <= 4 else 4 if len(colours) <= 16 else 8
    rows = []
    for line in pixels:
        row = bytearray()
        bits, acc = 0, 0
        for p in line:
            key = tuple(p) if p[3] else (0, 0, 0, 0)
            acc = (acc << depth) | seen[key]
            bits += depth
            if bits == 8:
                row.append(acc)
                acc, bits = 0, 0
        if bits:
            row.append(acc << (8 - bits))
        rows.append(row)
    palette = b''.join(bytes(c[:3]) for c in colours)
    transparency = bytes(c[3] for c in colours).rstrip(b'\xff')
    return png.encode(width, height, rows, colour=png.PALETTE, depth=depth, palette=palette,
                      transparency=transparency)


def icon_to_png(data):
    """(width, height, PNG bytes) of the icon's largest image."""
    _, _, image = largest_image(data)
    if image.startswith(b'\x89PNG'):
        width, height = struct.unpack_from('>II', image, 16)
        return width, height, image
    width, height, pixels = decode_bmp(image)
    return width, height, encode_png(width, height, pixels)
