#pragma once
// The folder that holds the running program, always with one trailing
// backslash, so that a file name can simply be appended.

#include "common/WideString.h"

// The folder part of a full file path, backslash included ("C:\" for a file
// at a drive root, never "C:\\").
WideString FolderOfPath(const WideString& path);

// A folder as the system writes it ("C:\" at a root, "C:\dir" elsewhere)
// with exactly one backslash at its end.
WideString WithTrailingBackslash(const WideString& folder);

#ifdef _WIN32
WideString AppFolder();
#endif
