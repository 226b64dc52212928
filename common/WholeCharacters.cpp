#include "common/WholeCharacters.h"

#include <stdint.h>

#include "common/Graphemes.h"
#include "common/Utf8.h"

WideString WholeCharacters(const WideString& text, size_t maxUnits, size_t* caret) {
  WideString kept;
  size_t keptUnits = 0, removedBeforeCaret = 0;
  size_t characterStart = 0;  // where the character being kept begins, in kept
  GraphemeBreaker breaker;
  for (size_t i = 0; i < text.length();) {
    bool pair = IsHighSurrogate(text[i]) && i + 1 < text.length() && IsLowSurrogate(text[i + 1]);
    size_t units = pair ? 2 : 1;
    if (!pair && (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))) {
      if (caret && i < *caret) ++removedBeforeCaret;
      ++i;
      continue;
    }
    uint32_t c = pair ? 0x10000 + ((static_cast<uint32_t>(text[i]) - 0xD800) << 10) +
                            (static_cast<uint32_t>(text[i + 1]) - 0xDC00)
                      : static_cast<uint32_t>(text[i]);
    if (breaker.StartsNew(c)) characterStart = kept.length();
    // Where wchar_t holds code points (the host, WebAssembly), one beyond
    // the first plane is still two units of the field.
    size_t width = BeyondFirstPlane(c) ? 2 : 1;
    if (keptUnits + width > maxUnits) {
      // The character does not fit whole: none of it stays.
      kept = kept.Left(characterStart);
      break;
    }
    kept.Append(text.c_str() + i, units);
    keptUnits += width;
    i += units;
  }
  if (caret) {
    *caret = *caret > removedBeforeCaret ? *caret - removedBeforeCaret : 0;
    if (*caret > kept.length()) *caret = kept.length();
  }
  return kept;
}
