#include "common/DecimalText.h"

#include <stddef.h>

WideString DecimalText(unsigned value) {
  wchar_t digits[12];
  size_t n = 0;
  do {
    digits[n++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value);
  WideString text;
  while (n > 0) text += digits[--n];
  return text;
}
