"""The card file layout's numbers as the programs compile them, read from
cardfile/CardLayout.h, so that the build steps, the tests and the benchmark
follow the one constant."""

import os
import re

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
LAYOUT_HEADER = os.path.join(ROOT, "cardfile", "CardLayout.h")
# Written by the host build from the page template's length.
OFFSET_HEADER = os.path.join(ROOT, "build", "host", "layout", "PlayerImageOffset.h")


def layout_constant(name, header=LAYOUT_HEADER):
    with open(header, encoding="utf-8") as f:
        found = re.search(r"constexpr\s+\w+\s+%s\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*;" % re.escape(name), f.read())
    if not found:
        raise RuntimeError("%s is not defined in %s" % (name, header))
    return int(found.group(1), 0)


def player_image_offset(header=OFFSET_HEADER):
    return layout_constant("PlayerImageOffset", header)


def senders_field_length():
    return layout_constant("SendersFieldLength")
