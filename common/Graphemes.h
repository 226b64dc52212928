#pragma once
// Where one character as a person sees it ends: the boundaries between
// extended grapheme clusters. A letter keeps its combining accents, an emoji
// its skin tone, variation selector and keycap, a family or a profession the
// people and things its joiners join, a flag its two regional indicators and
// a subdivision flag its tags, an Indic syllable its vowel signs. A table as
// small as names need: Hangul written in loose jamo (names are typed in whole
// syllables) and prepended marks are not joined.

#include <stdint.h>

class GraphemeBreaker {
 public:
  // True when c begins a new character after those fed so far (always for
  // the first).
  bool StartsNew(uint32_t c);

 private:
  bool started_ = false;
  bool pictographic_ = false;  // the character so far is a pictograph and its extensions
  bool joiner_ = false;        // ... which ended in a zero-width joiner
  int indicators_ = 0;         // regional indicators in a row at its end
};
