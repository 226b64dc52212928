#pragma once
// A field of UTF-16 units holds characters whole, as a person sees them: a
// character outside the Basic Multilingual Plane takes two units, and many
// take several code points (an accent, a skin tone, a family joined by
// joiners, a flag); a limit or a paste cut between them would leave half a
// character: a replacement mark, a loose accent, half a family.

#include <stddef.h>

#include "common/WideString.h"

// The text as a field of at most maxUnits units keeps it: cut before a
// character (a grapheme cluster) that would not fit whole, and without halves of pairs whose
// other half is missing. Where caret is given (a position in text), it
// moves back by the units removed before it and stays within the result.
WideString WholeCharacters(const WideString& text, size_t maxUnits, size_t* caret = nullptr);
