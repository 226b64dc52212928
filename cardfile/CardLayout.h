#pragma once
// The one file layout the generator and the card share.

#include <stddef.h>

// Where the player image starts inside the generator's own file: the length
// of the generator's image, which the build pads to exactly this size.
constexpr size_t PlayerImageOffset = 61440;

// The senders' names live in a card's last bytes, as single-byte ANSI text.
constexpr size_t SendersFieldLength = 70;
