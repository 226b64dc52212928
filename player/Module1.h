#pragma once
// Free routines of the card that do not need its window.

#include <windows.h>

#include "common/WideString.h"
#include "player/CardPack.h"

// True on Windows 2000 and later (major version 5 or more); false when the
// version cannot be read.
bool IsWin2000OrLater();

// True when the file can be opened for reading.
bool FileExists(const WideString& path);

// Starts the card's packed resource with that number, a WAVE file, without
// waiting for it; silence, never the system's default sound, when it cannot
// play. The sound goes on playing from the pack's bytes, so the pack must
// outlast it.
void PlaySoundResource(const CardPack& pack, short id);
