#include "generator/PlayerImage.h"

namespace {

unsigned long long Word(const unsigned char* p) { return p[0] | (p[1] << 8); }
unsigned long long Dword(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (static_cast<unsigned long long>(p[2]) << 16) |
         (static_cast<unsigned long long>(p[3]) << 24);
}

}  // namespace

size_t PlayerImageLength(unsigned long long containerSize) {
  if (containerSize <= PlayerImageOffset) return 0;
  unsigned long long length = containerSize - PlayerImageOffset;
  return length > static_cast<size_t>(-1) ? 0 : static_cast<size_t>(length);
}

bool IsPlayerImage(const unsigned char* image, size_t length) {
  constexpr unsigned long long kDosHeader = 64, kFileHeader = 20, kSectionHeader = 40;
  constexpr unsigned long long kSizeOfHeadersAt = 60;  // in the optional header, PE32 and PE32+ alike
  if (!image || length < kDosHeader + SendersFieldLength || image[0] != 'M' || image[1] != 'Z') return false;
  // Everything of the program lies before the field; 64-bit sums cannot wrap.
  const unsigned long long field = length - SendersFieldLength;
  unsigned long long pe = Dword(image + 0x3C);
  if (pe < kDosHeader || pe + 4 + kFileHeader > field) return false;
  if (image[pe] != 'P' || image[pe + 1] != 'E' || image[pe + 2] != 0 || image[pe + 3] != 0) return false;
  unsigned long long sections = Word(image + pe + 6), optionalSize = Word(image + pe + 20);
  unsigned long long optional = pe + 4 + kFileHeader;
  if (sections == 0 || optionalSize < kSizeOfHeadersAt + 4 || optional + optionalSize > field) return false;
  unsigned long long magic = Word(image + optional);
  if (magic != 0x10B && magic != 0x20B) return false;
  unsigned long long headers = Dword(image + optional + kSizeOfHeadersAt);
  unsigned long long table = optional + optionalSize;
  if (table + sections * kSectionHeader > headers || headers > field) return false;
  unsigned long long end = headers;
  for (unsigned long long i = 0; i < sections; ++i) {
    const unsigned char* section = image + table + i * kSectionHeader;
    unsigned long long size = Dword(section + 16), offset = Dword(section + 20);
    if (size == 0) continue;  // nothing in the file (uninitialised data)
    if (offset + size > field) return false;
    if (offset + size > end) end = offset + size;
  }
  return end == field;
}
