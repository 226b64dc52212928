#pragma once
// What the generator finds behind its own image: the player image that
// every card copies.

#include <stddef.h>

#include "PlayerImageOffset.h"  // written by the build
#include "cardfile/CardLayout.h"

// Bytes of player image in a container of the given size: all bytes from
// PlayerImageOffset on, or 0 when the container ends at or before it.
size_t PlayerImageLength(unsigned long long containerSize);

// True when the bytes are a whole player image, as the build lays it out: a
// Windows program (DOS header pointing at a PE header) whose headers and
// every section's raw data lie inside it, followed by exactly the 70 bytes of
// the senders' field. A container cut short, or grown, fails: a card made
// from it would not start, or would have its names written over its code.
bool IsPlayerImage(const unsigned char* image, size_t length);
