// Unicode text into the code page: what the generator writes into a card.
// Apart from the reading side, so the card imports none of it.

#include <windows.h>

#include "common/Characters.h"
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
bool Survives(const wchar_t* c, size_t units, unsigned codePage) {
  char bytes[16];
  BOOL usedDefault = FALSE;
  int length = static_cast<int>(units);
  int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, c, length, bytes, sizeof(bytes), nullptr, &usedDefault);
  if (n <= 0)  // code pages such as UTF-8 take neither the flag nor the default's report
    n = WideCharToMultiByte(codePage, 0, c, length, bytes, sizeof(bytes), nullptr, nullptr), usedDefault = FALSE;
  wchar_t back[4];
  int m = n > 0 ? MultiByteToWideChar(codePage, 0, bytes, n, back, 4) : 0;
  return n > 0 && !usedDefault && m == length && back[0] == c[0] && (units == 1 || back[1] == c[1]);
}

}  // namespace

WideString CharactersOutsideCodePage(const WideString& text, unsigned codePage) {
  return CharactersRefused(text, Survives, codePage);
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
