#pragma once
// What the generator finds behind its own image: the player image that
// every card copies.

#include <stddef.h>

#include "cardfile/CardLayout.h"

// Bytes of player image in a container of the given size: all bytes from
// PlayerImageOffset on, or 0 when the container ends at or before it.
size_t PlayerImageLength(unsigned long long containerSize);

// True when the bytes can be a player image: a Windows program (DOS header
// pointing at a PE header) long enough to hold the senders' field after it.
bool IsPlayerImage(const unsigned char* image, size_t length);
