#pragma once
// Unicode text as code points and as UTF-8 bytes, whatever the width of
// wchar_t: two bytes of UTF-16 on Windows, four of UTF-32 on the host and in
// WebAssembly.

#include <stddef.h>
#include <stdint.h>

#include "common/ByteBuffer.h"
#include "common/WideString.h"

// The two halves of a UTF-16 surrogate pair.
inline bool IsHighSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A code point that UTF-16 writes as a surrogate pair. (A function, so a
// test of a two-byte wchar_t against it is no always-false comparison.)
inline bool BeyondFirstPlane(uint32_t c) { return c > 0xFFFF; }

// The code point at text[i], i moved past it: a surrogate pair is one code
// point, and what is not a character (half a pair) is U+FFFD, as the system
// converts it. False at the end of the text.
bool NextCodePoint(const WideString& text, size_t& i, uint32_t& c);

// Writes the UTF-8 bytes of one code point at out, if out is given; returns
// their count either way.
size_t PutUtf8(uint32_t c, unsigned char* out);

// The whole text in UTF-8.
ByteBuffer ToUtf8(const WideString& text);
