"""Assembles the generator container: the generator's own image padded with
zeros to exactly PlayerImageOffset bytes, then the whole player image.

    assemble_container.py GENERATOR_IMAGE PLAYER_IMAGE OUTPUT OFFSET_HEADER

Fails, and writes nothing, when the generator's image does not fit before
the offset: the card it copies would then start in the wrong place. The
offset is the programs' own constant, in the header the build writes from
the page template's length (player_image_offset.py), the same for both
architectures."""

import os
import sys

from devkit.card_layout import layout_constant, player_image_offset, senders_field_length
from devkit.pe import image_end

FIELD = senders_field_length()


def assemble(generator_path, player_path, output_path, offset_header):
    offset = player_image_offset(offset_header)
    step = layout_constant("PlayerImageOffsetStep")
    with open(generator_path, "rb") as f:
        generator = f.read()
    with open(player_path, "rb") as f:
        player = f.read()
    if generator[:2] != b"MZ" or player[:2] != b"MZ":
        sys.exit("assemble_container: both inputs must be Windows programs")
    end = max(len(generator), image_end(generator))
    if offset % step:
        sys.exit("assemble_container: PlayerImageOffset (%d, %s) must be a multiple of %d" % (offset, offset_header, step))
    if end > offset:
        sys.exit("assemble_container: the generator image %s is %d bytes, %d more than the %d bytes "
                 "before the player image: its code and resources outgrew GeneratorImageBesideTemplate "
                 "in cardfile/CardLayout.h, which must grow by at least that much"
                 % (generator_path, end, end - offset, offset))
    if player[-FIELD:] != bytes(FIELD):
        sys.exit("assemble_container: the player image %s does not end in the %d free bytes of the senders' field"
                 % (player_path, FIELD))
    container = generator + bytes(offset - len(generator)) + player
    partial = output_path + ".part"
    with open(partial, "wb") as f:
        f.write(container)
    os.chmod(partial, 0o755)
    os.replace(partial, output_path)
    print("assemble_container: %s: generator %d bytes (%d free before the player), player %d bytes, %d in all"
          % (os.path.basename(output_path), len(generator), offset - len(generator), len(player),
             len(container)))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    assemble(*sys.argv[1:])
