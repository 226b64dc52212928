#include "common/Characters.h"

#include "common/Graphemes.h"
#include "common/Utf8.h"

namespace {

bool Holds(const WideString& text, const wchar_t* piece, size_t length) {
  for (size_t i = 0; i + length <= text.length(); ++i) {
    size_t same = 0;
    while (same < length && text[i + same] == piece[same]) ++same;
    if (same == length) return true;
  }
  return false;
}

}  // namespace

WideString CharactersRefused(const WideString& text, CharacterTest carried, unsigned context) {
  WideString refused;
  GraphemeBreaker breaker;
  size_t start = 0;
  bool refuse = false;
  // A character (as a person sees one) goes whole into the list when the
  // test refuses any of its code points.
  auto close = [&](size_t end) {
    if (refuse && !Holds(refused, text.c_str() + start, end - start)) refused.Append(text.c_str() + start, end - start);
  };
  for (size_t i = 0; i < text.length();) {
    size_t at = i;
    uint32_t c;
    NextCodePoint(text, i, c);
    if (breaker.StartsNew(c)) {
      close(at);
      start = at;
      refuse = false;
    }
    if (!carried(text.c_str() + at, i - at, context)) refuse = true;
  }
  close(text.length());
  return refused;
}

WideString SeparatedCharacters(const WideString& characters) {
  WideString out;
  GraphemeBreaker breaker;
  for (size_t i = 0; i < characters.length();) {
    size_t at = i;
    uint32_t c;
    NextCodePoint(characters, i, c);
    if (breaker.StartsNew(c) && at > 0) out += L"  ";
    out.Append(characters.c_str() + at, i - at);
  }
  return out;
}
