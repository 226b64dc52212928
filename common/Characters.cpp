#include "common/Characters.h"

#include "common/Utf8.h"

WideString CharactersRefused(const WideString& text, CharacterTest carried, unsigned context) {
  WideString refused;
  for (size_t i = 0; i < text.length(); ++i) {
    size_t units = IsHighSurrogate(text[i]) && i + 1 < text.length() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
    const wchar_t* c = text.c_str() + i;
    if (!carried(c, units, context)) {
      bool seen = false;
      for (size_t j = 0; j + units <= refused.length() && !seen; ++j)
        seen = refused[j] == c[0] && (units == 1 || refused[j + 1] == c[1]);
      if (!seen) refused.Append(c, units);
    }
    i += units - 1;
  }
  return refused;
}
