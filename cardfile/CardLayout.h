#pragma once
// The one file layout the generator and the card share.

#include <stddef.h>

// Where the player image starts inside the generator's own file: the length
// of the generator's image, which the build pads to exactly this size. The
// image carries the web card's page template, so it is longer than the
// first design's 61,440 bytes: its length on either architecture, rounded up
// to a whole number of 16 KB steps. The build checks that the image fits and
// says which value it needs when it no longer does; every other layer reads
// the number from here.
constexpr size_t PlayerImageOffset = 131072;

// The senders' names live in a card's last bytes, as single-byte ANSI text.
constexpr size_t SendersFieldLength = 70;
