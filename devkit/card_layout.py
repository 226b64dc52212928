"""The card file layout's numbers as the programs compile them, read from
cardfile/CardLayout.h, so that the build steps, the tests and the benchmark
follow the one constant."""

import os
import re

LAYOUT_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cardfile", "CardLayout.h")


def layout_constant(name):
    with open(LAYOUT_HEADER, encoding="utf-8") as f:
        found = re.search(r"constexpr\s+size_t\s+%s\s*=\s*(\d+)\s*;" % re.escape(name), f.read())
    if not found:
        raise RuntimeError("%s is not defined in %s" % (name, LAYOUT_HEADER))
    return int(found.group(1))


def player_image_offset():
    return layout_constant("PlayerImageOffset")


def senders_field_length():
    return layout_constant("SendersFieldLength")
