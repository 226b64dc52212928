#pragma once
// Code page 1252 (Western European) without the system: what Windows writes
// for Unicode text there, look-alikes included, for the generator's page,
// which makes the same cards as the program does on a system with that code
// page.

#include "cardbytes/CardBytes.h"
#include "common/ByteBuffer.h"
#include "common/WideString.h"

// One byte per UTF-16 unit, as WideCharToMultiByte writes without flags: a
// character of the code page as itself, one it lacks as its look-alike where
// Windows has one ("Ā" as "A"), else as "?". A character beyond the first
// plane is two units, so "??".
ByteBuffer ToCp1252(const WideString& text);

// The characters of text that code page 1252 cannot carry, as the program
// asks about them: each once, in order, look-alikes counting as not carried.
WideString CharactersOutsideCp1252(const WideString& text);

// The two above, as the card's bytes take a code page.
extern const CardCodePage kCodePage1252;
