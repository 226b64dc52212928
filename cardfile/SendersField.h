#pragma once
// Making the senders' field from text already in the system's ANSI code page.

#include <stddef.h>

#include "cardfile/CardLayout.h"

using LeadBytePredicate = bool (*)(unsigned char byte);

// Left-aligned, padded with spaces, cut at SendersFieldLength bytes. On a
// double-byte code page a character whose two bytes would straddle the cut is
// left out whole, so the field never ends in half a character.
void MakeSendersField(const unsigned char* ansi, size_t length, LeadBytePredicate isLeadByte,
                      unsigned char field[SendersFieldLength]);
