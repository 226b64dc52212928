#!/usr/bin/env python3
"""Packs the card's pictures into one compressed resource: the image of each
icon file (header, palette, colours and mask, as an icon resource holds it)
behind its resource number, the whole deflated. The card unpacks them at
start-up; compressed, they take less than half the room.

    pack_pictures.py OUTPUT ID=ICON_FILE ...

Layout: u32 length of the unpacked records, then one raw deflate stream of
records, each u16 resource number, u16 zero, u32 length, the image."""

import os
import struct
import sys
import zlib


def icon_image(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count != 1:
        sys.exit("pack_pictures: %s is not an icon file with one image" % path)
    size, offset = struct.unpack_from("<II", data, 6 + 8)
    if offset + size > len(data):
        sys.exit("pack_pictures: %s is cut short" % path)
    return data[offset:offset + size]


def main(out, pairs):
    records = b""
    for pair in pairs:
        number, path = pair.split("=", 1)
        image = icon_image(path)
        records += struct.pack("<HHI", int(number), 0, len(image)) + image
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    stream = packer.compress(records) + packer.flush()
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(struct.pack("<I", len(records)) + stream)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
