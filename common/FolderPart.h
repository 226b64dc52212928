#pragma once
// The folder part of a Windows path, for the card's staging file and its
// final name alike.

#include "common/WideString.h"

// The folder part of the path, separator included: "C:\\Auguri\\" for
// "C:\\Auguri\\Vavuri.exe"; "" for a bare file name (the current folder).
WideString FolderPart(const WideString& path);
