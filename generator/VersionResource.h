#pragma once
// The running program's own version number, read from its version record.

#include <windows.h>

#include "generator/VersionRecord.h"

// False when the program carries no readable version record.
bool OwnFileVersion(HINSTANCE instance, FileVersion* version);
