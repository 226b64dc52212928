#include "common/WholeCharacters.h"

#include <stdint.h>

#include "common/Utf8.h"

WideString WholeCharacters(const WideString& text, size_t maxUnits, size_t* caret) {
  WideString kept;
  size_t keptUnits = 0, removedBeforeCaret = 0;
  for (size_t i = 0; i < text.length();) {
    bool pair = IsHighSurrogate(text[i]) && i + 1 < text.length() && IsLowSurrogate(text[i + 1]);
    size_t units = pair ? 2 : 1;
    if (!pair && (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))) {
      if (caret && i < *caret) ++removedBeforeCaret;
      ++i;
      continue;
    }
    // Where wchar_t holds code points (the host, WebAssembly), one beyond
    // the first plane is still two units of the field.
    size_t width = BeyondFirstPlane(static_cast<uint32_t>(text[i])) ? 2 : units;
    if (keptUnits + width > maxUnits) break;
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
