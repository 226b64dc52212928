"""Finishes the linked player image so it can become cards: header checksum
0 (each card changes its last bytes, which a checksum would then contradict)
and the senders' field (SendersFieldLength zero bytes, cardfile/CardLayout.h)
appended, outside every section."""

import struct
import sys

from devkit.card_layout import senders_field_length
from devkit.pe import PeFile


def finish(path):
    with open(path, "r+b") as f:
        data = bytearray(f.read())
        try:
            pe = PeFile(data)
        except ValueError:
            sys.exit("finish_player: %s is not a PE image" % path)
        struct.pack_into("<I", data, pe.checksum_offset, 0)
        data += bytes(senders_field_length())
        f.seek(0)
        f.write(data)


if __name__ == "__main__":
    finish(sys.argv[1])
