#pragma once
// Conversions between the programs' Unicode strings and the system's ANSI
// code page, for the senders' field and the ANSI entry points.

#include "common/ByteBuffer.h"
#include "common/WideString.h"

WideString FromAnsi(const char* bytes, size_t length);

// NUL-terminated (the terminator is not counted in the buffer's size).
// Characters outside the code page become the code page's default character.
ByteBuffer ToAnsi(const WideString& text);

// The characters of text that the code page cannot carry (each once, in
// order of first appearance): those that would come back as the default
// character or as a look-alike. Empty when all of them fit.
WideString CharactersOutsideCodePage(const WideString& text, unsigned codePage);

// For the field cut: true when the byte starts a two-byte character.
bool IsAnsiLeadByte(unsigned char byte);
