#pragma once
// The bytes of a card of each kind, from what cards are made of and the
// senders' names: the card itself (the player image with its 70-byte field),
// the same card zipped, or the web card (the page template filled). One
// road for both front ends: the program writes these bytes through a
// temporary file and a rename, the generator's page (this code compiled to
// WebAssembly) hands them to the browser's download.

#include <stddef.h>
#include <stdint.h>

#include "cardbytes/CardPath.h"
#include "cardfile/SendersField.h"
#include "common/ByteBuffer.h"
#include "common/WideString.h"

// How names become single-byte text, in the card's field and in an archive's
// member name: the system's code page in the program, 1252 in the page.
struct CardCodePage {
  // The text's bytes, with the code page's stand-ins for what it lacks.
  ByteBuffer (*encode)(const WideString& text);
  // Where two-byte characters start; null on a single-byte code page.
  LeadBytePredicate isLeadByte;
  // The characters the code page cannot carry (empty when all fit).
  WideString (*outside)(const WideString& text);
};

// What cards are made of: the player image as the generator carries it (its
// last 70 bytes the free senders' field), and the web card's page template.
struct CardMaterial {
  const unsigned char* image;
  size_t imageLength;
  const unsigned char* webTemplate;
  size_t webTemplateLength;
};

enum class CardBytesResult { Made, NoMemory, DamagedTemplate };

// The card of the given kind for the names (held to 70 UTF-16 units of
// whole characters), whose file is cardPath (a zipped card's member takes
// the archive's name) and, when zipped, dated dosDateTime (local time, as
// ZIP keeps it).
CardBytesResult MakeCardBytes(CardKind kind, const CardMaterial& material, const WideString& cardPath,
                              const WideString& senders, uint32_t dosDateTime, const CardCodePage& codePage,
                              ByteBuffer& card);
