#include "cardbytes/CodePage1252.h"

#include <stdint.h>

#include "common/Characters.h"
#include "common/Utf8.h"

namespace {

struct BestFit {
  uint16_t unit;
  uint8_t byte;
};

#include "cardbytes/Cp1252Table.inc"

constexpr unsigned char kDefault = '?';

// The byte of a code page character, or -1.
int ExactByte(uint32_t unit) {
  if (unit < 0x80) return static_cast<int>(unit);
  for (int i = 0; i < 128; ++i)
    if (kUpperHalf[i] == unit) return 0x80 + i;
  return -1;
}

unsigned char UnitByte(uint32_t unit) {
  int exact = ExactByte(unit);
  if (exact >= 0) return static_cast<unsigned char>(exact);
  size_t low = 0, high = sizeof kBestFit / sizeof kBestFit[0];
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (kBestFit[middle].unit == unit) return kBestFit[middle].byte;
    if (kBestFit[middle].unit < unit)
      low = middle + 1;
    else
      high = middle;
  }
  return kDefault;
}

bool Carried(const wchar_t* c, size_t units, unsigned) {
  uint32_t unit = static_cast<uint32_t>(c[0]);
  return units == 1 && !BeyondFirstPlane(unit) && ExactByte(unit) >= 0;
}

}  // namespace

ByteBuffer ToCp1252(const WideString& text) {
  size_t n = 0;
  for (size_t i = 0; i < text.length(); ++i) n += BeyondFirstPlane(static_cast<uint32_t>(text[i])) ? 2 : 1;
  ByteBuffer bytes(n);
  if (!bytes.ok()) return bytes;
  unsigned char* out = bytes.data();
  for (size_t i = 0; i < text.length(); ++i) {
    uint32_t c = static_cast<uint32_t>(text[i]);
    if (BeyondFirstPlane(c)) {  // both halves of its pair have no byte
      *out++ = kDefault;
      *out++ = kDefault;
    } else {
      *out++ = UnitByte(c);
    }
  }
  return bytes;
}

WideString CharactersOutsideCp1252(const WideString& text) { return CharactersRefused(text, Carried, 0); }

const CardCodePage kCodePage1252 = {ToCp1252, nullptr, CharactersOutsideCp1252};
