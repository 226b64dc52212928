#pragma once
#include "common/WideString.h"

// Full path of the running program's own file, as the system reports it, of
// any length (wide, so folders outside the ANSI code page work).
WideString OwnModulePath();
