"""The one PNG writer: the artwork's review sheets, the web pages'
pictures and the tests' screenshots. Every row is stored unfiltered, so a
picture's bytes depend only on its pixels and the compression level."""

import struct
import zlib

SIGNATURE = b'\x89PNG\r\n\x1a\n'
RGB, PALETTE, RGBA = 2, 3, 6  # colour types


def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))


def encode(width, height, rows, colour=RGB, depth=8, palette=b'', transparency=b'', level=9):
    """PNG bytes of rows (each the packed samples of one row, top row
    first); palette and transparency are the PLTE and tRNS bodies, if any."""
    body = chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, depth, colour, 0, 0, 0))
    if palette:
        body += chunk(b'PLTE', palette)
    if transparency:
        body += chunk(b'tRNS', transparency)
    raw = b''.join(b'\0' + bytes(row) for row in rows)
    return SIGNATURE + body + chunk(b'IDAT', zlib.compress(raw, level)) + chunk(b'IEND', b'')
