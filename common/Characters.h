#pragma once
// Walking a text character by character, as a person sees characters (a
// letter with its accents, an emoji with its joiners), to collect those a
// code page cannot carry.

#include <stddef.h>

#include "common/WideString.h"

// Whether one character (units wchar_t at c: 2 for a surrogate pair) is
// carried; context is the caller's (a code page number, say).
using CharacterTest = bool (*)(const wchar_t* c, size_t units, unsigned context);

// The characters of text that the test refuses, each once, in order of first
// appearance: a character goes whole when any of its code points is refused.
// Empty when all of them pass.
WideString CharactersRefused(const WideString& text, CharacterTest carried, unsigned context);

// Such a list for a person to read: the characters apart, two spaces between,
// so that letters do not run together into a word.
WideString SeparatedCharacters(const WideString& characters);
