#include "codecs/Crc32.h"

// Bit by bit: a table would cost the generator's image a kilobyte, and a card
// takes well under a millisecond this way.
uint32_t Crc32(const unsigned char* data, size_t length, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}
