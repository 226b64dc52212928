"""Packs the card's pictures, tune and chime into one compressed resource:
each behind its resource number (an icon file gives its image: header,
palette, colours and mask, as an icon resource holds it; any other file
gives its bytes as they are), the whole deflated. The card unpacks them when
its window is made; compressed, they take less than half the room.

    pack_resources.py OUTPUT ASSETS

The records are those player/PlayerResources.h lists, from the folder ASSETS.

Layout: u32 length of the unpacked records, then one raw deflate stream of
records, each u16 resource number, u16 zero, u32 length, the bytes."""

import os
import struct
import sys

from cmake.card_resources import packed
from cmake.deflate_raw import deflate_raw


def icon_image(path, data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count != 1:
        sys.exit("pack_resources: %s is not an icon file with one image" % path)
    size, offset = struct.unpack_from("<II", data, 6 + 8)
    if offset + size > len(data):
        sys.exit("pack_resources: %s is cut short" % path)
    return data[offset:offset + size]


def main(out, assets):
    records = b""
    for number, name in packed():
        path = os.path.join(assets, name)
        with open(path, "rb") as f:
            data = f.read()
        if path.endswith(".ico"):
            data = icon_image(path, data)
        records += struct.pack("<HHI", number, 0, len(data)) + data
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(struct.pack("<I", len(records)) + deflate_raw(records))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
