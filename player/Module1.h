#pragma once
// Free routines of the card that do not need its window.

#include <windows.h>

#include "common/WideString.h"

// True on Windows 2000 and later (major version 5 or more); false when the
// version cannot be read.
bool IsWin2000OrLater();

// True when the file can be opened for reading.
bool FileExists(const WideString& path);

// The bytes of one of the program's own resources (stored under Italian),
// valid for the life of the process; null when missing.
const void* LoadResourceBytes(HINSTANCE instance, short id, const char* type, DWORD* size);

// Starts a "CUSTOM" resource holding a WAVE file, without waiting for it;
// silence, never the system's default sound, when it cannot play.
void PlaySoundResource(HINSTANCE instance, short id);
