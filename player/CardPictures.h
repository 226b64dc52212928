#pragma once
// The card's pictures travel packed in one resource, to keep the card small
// enough to mail; they are unpacked once, when the window is made.

#include <windows.h>

#include "common/ByteBuffer.h"

class CardPictures {
 public:
  explicit CardPictures(HINSTANCE instance);

  // The icon image (header, palette, colours, mask) with that resource
  // number; null when the pack is missing or damaged, or has no such image.
  const unsigned char* Find(int id, size_t& length) const;

 private:
  ByteBuffer records_;
};
