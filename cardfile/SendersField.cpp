#include "cardfile/SendersField.h"

void MakeSendersField(const unsigned char* ansi, size_t length, LeadBytePredicate isLeadByte,
                      unsigned char field[SendersFieldLength]) {
  size_t used = 0;
  size_t i = 0;
  while (i < length) {
    size_t width = (isLeadByte && isLeadByte(ansi[i]) && i + 1 < length) ? 2 : 1;
    if (used + width > SendersFieldLength) break;
    for (size_t k = 0; k < width; ++k) field[used++] = ansi[i + k];
    i += width;
  }
  while (used < SendersFieldLength) field[used++] = ' ';
}
