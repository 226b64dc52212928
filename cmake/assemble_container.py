"""Assembles the generator container: the generator's own image padded with
zeros to exactly PlayerImageOffset bytes, then the whole player image.

    assemble_container.py GENERATOR_IMAGE PLAYER_IMAGE OUTPUT

Fails, and writes nothing, when the generator's image does not fit before
the offset: the card it copies would then start in the wrong place. The
offset is the programs' own constant (cardfile/CardLayout.h): the generator
image's length rounded up to a whole number of OFFSET_STEP bytes, the same
for both architectures."""

import os
import sys

from devkit.card_layout import player_image_offset, senders_field_length
from devkit.pe import image_end

PLAYER_IMAGE_OFFSET = player_image_offset()
OFFSET_STEP = 16384
FIELD = senders_field_length()


def assemble(generator_path, player_path, output_path):
    with open(generator_path, "rb") as f:
        generator = f.read()
    with open(player_path, "rb") as f:
        player = f.read()
    if generator[:2] != b"MZ" or player[:2] != b"MZ":
        sys.exit("assemble_container: both inputs must be Windows programs")
    end = max(len(generator), image_end(generator))
    if PLAYER_IMAGE_OFFSET % OFFSET_STEP:
        sys.exit("assemble_container: PlayerImageOffset (%d, cardfile/CardLayout.h) must be a multiple of %d"
                 % (PLAYER_IMAGE_OFFSET, OFFSET_STEP))
    if end > PLAYER_IMAGE_OFFSET:
        needed = -(-end // OFFSET_STEP) * OFFSET_STEP
        sys.exit("assemble_container: the generator image %s is %d bytes, %d more than the %d bytes "
                 "before the player image: make the generator smaller, or give PlayerImageOffset in "
                 "cardfile/CardLayout.h at least %d (and build both architectures)"
                 % (generator_path, end, end - PLAYER_IMAGE_OFFSET, PLAYER_IMAGE_OFFSET, needed))
    if player[-FIELD:] != bytes(FIELD):
        sys.exit("assemble_container: the player image %s does not end in the %d free bytes of the senders' field"
                 % (player_path, FIELD))
    container = generator + bytes(PLAYER_IMAGE_OFFSET - len(generator)) + player
    partial = output_path + ".part"
    with open(partial, "wb") as f:
        f.write(container)
    os.chmod(partial, 0o755)
    os.replace(partial, output_path)
    print("assemble_container: %s: generator %d bytes (%d free before the player), player %d bytes, %d in all"
          % (os.path.basename(output_path), len(generator), PLAYER_IMAGE_OFFSET - len(generator), len(player),
             len(container)))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    assemble(*sys.argv[1:])
