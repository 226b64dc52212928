// Unicode text into the code page: what the generator writes into a card.
// Apart from the reading side, so the card imports none of it.

#include <windows.h>

#include "winapi/Ansi.h"

ByteBuffer ToAnsi(const WideString& text) {
  int length = static_cast<int>(text.length());
  int n = length ? WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr) : 0;
  ByteBuffer bytes(n > 0 ? static_cast<size_t>(n) : 0);
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, reinterpret_cast<char*>(bytes.data()), n, nullptr,
                        nullptr);
  return bytes;
}

namespace {

// One character (a surrogate pair is one) through the code page and back.
bool Survives(const wchar_t* c, int units, unsigned codePage) {
  char bytes[16];
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, c, units, bytes, sizeof(bytes), nullptr, &usedDefault);
  if (n <= 0)  // code pages such as UTF-8 take neither the flag nor the default's report
    n = WideCharToMultiByte(codePage, 0, c, units, bytes, sizeof(bytes), nullptr, nullptr), usedDefault = FALSE;
  wchar_t back[4];
  int m = n > 0 ? MultiByteToWideChar(codePage, 0, bytes, n, back, 4) : 0;
  return n > 0 && !usedDefault && m == units && back[0] == c[0] && (units == 1 || back[1] == c[1]);
}

}  // namespace

WideString CharactersOutsideCodePage(const WideString& text, unsigned codePage) {
  WideString outside;
  for (size_t i = 0; i < text.length(); ++i) {
    bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.length() && IS_LOW_SURROGATE(text[i + 1]);
    int units = pair ? 2 : 1;
    const wchar_t* c = text.c_str() + i;
    if (!Survives(c, units, codePage)) {
      bool seen = false;
      for (size_t j = 0; j + units <= outside.length() && !seen; ++j)
        seen = outside[j] == c[0] && (units == 1 || outside[j + 1] == c[1]);
      if (!seen) outside.Append(c, static_cast<size_t>(units));
    }
    i += static_cast<size_t>(units - 1);
  }
  return outside;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
