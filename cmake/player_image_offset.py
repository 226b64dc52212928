"""Writes PlayerImageOffset.h: where the player image starts in the generator
container, from the length of the web card's page template that the
generator's image carries, so that a longer template moves it instead of
stopping the build. cardfile/CardLayout.h gives the rest of the image's
length and the step.

    player_image_offset.py TEMPLATE OUTPUT"""

import os
import sys

from devkit.card_layout import layout_constant


def offset_for(template_length):
    step = layout_constant("PlayerImageOffsetStep")
    needed = template_length + layout_constant("GeneratorImageBesideTemplate")
    return -(-needed // step) * step


def write(template_path, output_path):
    offset = offset_for(os.path.getsize(template_path))
    text = ("#pragma once\n"
            "// Written by the build (cmake/player_image_offset.py) from the page\n"
            "// template's length; see cardfile/CardLayout.h.\n\n"
            "#include <stddef.h>\n\n"
            "constexpr size_t PlayerImageOffset = %d;\n" % offset)
    os.makedirs(os.path.dirname(output_path), exist_ok=True)
    with open(output_path + ".part", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(output_path + ".part", output_path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write(*sys.argv[1:])
