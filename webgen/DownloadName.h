#pragma once
// The name the generator's page downloads a card under. The program's save
// dialog refuses names Windows cannot hold; a browser instead changes them
// quietly (a slash becomes "_", leading dots go, a name too long is
// refused). So the page makes the name safe itself, by one rule, and shows
// the very name the browser then saves.

#include "common/WideString.h"

// The longest name, in UTF-8 bytes with its extension, that every system a
// download lands on saves (Windows, macOS, Linux, phones).
constexpr size_t kLongestDownloadName = 150;

// The typed name with the type chosen (as the save dialog's filter index,
// from 1) made a card's final name by the program's rule (FinalCardPath),
// and then safe: characters that file names cannot hold (/ \ : * ? " < > |,
// controls, direction overrides, half pairs) become "_", leading dots and
// spaces go, Windows' device names (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, in any case, with any extension) get a "_" in front, and a long name
// is cut, between whole characters, to kLongestDownloadName bytes. A name
// with nothing left is "Vavuri".
WideString DownloadName(const WideString& typed, unsigned long filterIndex);
