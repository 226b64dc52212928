#pragma once
// The generator's messages that are put together from parts.

#include "common/WideString.h"

// "Si è verificato un errore creando " + path + ", " + the system's
// description of the failure (its line breaks and trailing spaces removed).
WideString CreationErrorMessage(const WideString& path, const WideString& description);

// A system description without the line break the system ends it with.
WideString WithoutTrailingBreaks(const WideString& text);

// The save dialog failed (it was not cancelled): its error code, and the
// destination that stays as it was.
WideString DialogErrorMessage(unsigned long code, const WideString& cardPath);

// The senders' names hold characters the card cannot show: which, and the
// question whether to make the card all the same.
WideString UnshownCharactersQuestion(const WideString& characters);
