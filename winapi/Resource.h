#pragma once
// A resource of a loaded module, read in place.

#include <stddef.h>
#include <windows.h>

// The resource's bytes as the loader mapped them, and their number in length;
// nullptr (and 0) when the module has none of that number and type. They stay
// mapped for the module's life, so there is nothing to release.
const unsigned char* ResourceBytes(HMODULE module, int id, const wchar_t* type, size_t& length);

// The types the programs keep their own bytes in (RT_RCDATA, RT_VERSION).
inline const wchar_t* RawDataResource() { return MAKEINTRESOURCEW(10); }
inline const wchar_t* VersionResource() { return MAKEINTRESOURCEW(16); }
