#pragma once
// Walking a text character by character, where a surrogate pair (UTF-16) is
// one character, to collect those a code page cannot carry.

#include <stddef.h>

#include "common/WideString.h"

// Whether one character (units wchar_t at c: 2 for a surrogate pair) is
// carried; context is the caller's (a code page number, say).
using CharacterTest = bool (*)(const wchar_t* c, size_t units, unsigned context);

// The characters of text that the test refuses, each once, in order of first
// appearance. Empty when all of them pass.
WideString CharactersRefused(const WideString& text, CharacterTest carried, unsigned context);
