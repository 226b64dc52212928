#pragma once
// The system's own description of a failure, in the system's language.

#include <windows.h>

#include "common/WideString.h"

WideString SystemErrorText(DWORD error);
