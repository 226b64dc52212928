"""The card's pictures and sounds as player/PlayerResources.h lists them,
for the build's pack and the web card's page, so that a new picture is one
line in that header."""

import os
import re

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "player", "PlayerResources.h")


def _header():
    with open(HEADER, encoding="utf-8") as f:
        return f.read()


def _listed(macro, text):
    """The rows of an X-macro list, through the lists it is made of."""
    found = re.search(r"#define %s\(X\)((?:[^\n]*\\\n)*[^\n]*)" % macro, text)
    if not found:
        raise RuntimeError("%s is not defined in %s" % (macro, HEADER))
    rows = []
    for row, part in re.findall(r"X\(([^)]*)\)|(\w+)\(X\)", found.group(1)):
        rows += [[cell.strip() for cell in row.split(",")]] if row else _listed(part, text)
    return rows


def pictures():
    """The pictures in CardPicture order: (name, number, icon file)."""
    return [(name, int(number), icon.strip('"')) for name, number, icon, *_ in _listed("CARD_PICTURES", _header())]


def packed():
    """Every resource of the card's pack: (number, file in assets/player)."""
    text = _header()
    numbers = {name: int(value) for name, value in re.findall(r"#define (\w+) (\d+)", text)}
    sounds = [(numbers[name], sound.strip('"')) for name, sound in _listed("CARD_SOUNDS", text)]
    return sorted((number, icon) for _, number, icon in pictures()) + sounds
