#pragma once
// Free routines of the card that do not need its window.

// True on Windows 2000 and later (major version 5 or more); false when the
// version cannot be read.
bool IsWin2000OrLater();
