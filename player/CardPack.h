#pragma once
// The card's pictures, tune and chime travel packed in one resource, to keep
// the card small enough to mail. They are unpacked once, when the window is
// made, and kept while it lasts: the chime plays from these bytes.

#include <windows.h>

#include "common/ByteBuffer.h"

class CardPack {
 public:
  explicit CardPack(HINSTANCE instance);

  // The bytes packed under that resource number (an icon's image: header,
  // palette, colours, mask; the tune's or the chime's file as it is); null
  // when the pack is missing or damaged, or has no such record.
  const unsigned char* Find(int id, size_t& length) const;

 private:
  ByteBuffer records_;
};
