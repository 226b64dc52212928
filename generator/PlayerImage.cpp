#include "generator/PlayerImage.h"

size_t PlayerImageLength(unsigned long long containerSize) {
  if (containerSize <= PlayerImageOffset) return 0;
  unsigned long long length = containerSize - PlayerImageOffset;
  return length > static_cast<size_t>(-1) ? 0 : static_cast<size_t>(length);
}

bool IsPlayerImage(const unsigned char* image, size_t length) {
  constexpr size_t kDosHeader = 64;
  if (!image || length < kDosHeader + SendersFieldLength || image[0] != 'M' || image[1] != 'Z') return false;
  size_t pe = image[0x3C] | (image[0x3D] << 8) | (static_cast<size_t>(image[0x3E]) << 16) |
              (static_cast<size_t>(image[0x3F]) << 24);
  // The field's bytes are the card's own: the headers must end before them.
  if (pe < kDosHeader || pe > length - SendersFieldLength - 4) return false;
  return image[pe] == 'P' && image[pe + 1] == 'E' && image[pe + 2] == 0 && image[pe + 3] == 0;
}
