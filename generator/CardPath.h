#pragma once
// What a card's path says about the card: whether it is to be zipped, and
// the name the card then has inside the archive.

#include "common/WideString.h"

// True when the path ends in ".zip", in any case.
bool IsZipPath(const WideString& path);

// The card's name inside the archive at zipPath: the archive's own name
// with ".exe" in place of its extension ("C:\Auguri.zip" holds "Auguri.exe").
WideString ZipMemberName(const WideString& zipPath);
