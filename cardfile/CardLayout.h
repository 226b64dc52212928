#pragma once
// The one file layout the generator and the card share.

#include <stddef.h>

// Where the player image starts inside the generator's own file,
// PlayerImageOffset, is the length of the generator's image, which the build
// pads to exactly that size. The image carries the web card's page template,
// so the build works the offset out from the template (PlayerImageOffset.h,
// which it writes): the template's length and the rest of the generator's
// image on either architecture, rounded up to a whole number of steps. One
// value for both architectures; a longer template moves it, and the build
// checks that each image fits.
constexpr size_t PlayerImageOffsetStep = 16384;
// The generator's image but the template, with room to grow: the 64-bit
// image is the longer, about 67 KB.
constexpr size_t GeneratorImageBesideTemplate = 73728;

// The senders' names live in a card's last bytes, as single-byte ANSI text.
constexpr size_t SendersFieldLength = 70;
