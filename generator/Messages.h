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

// The dialog's name was given the chosen type's extension, and a file of
// that final name exists: whether to replace it.
WideString ReplaceQuestion(const WideString& path);

// Why a web card cannot be made: the template it is made from, carried by
// the program, is missing or damaged.
WideString WebTemplateProblem();
