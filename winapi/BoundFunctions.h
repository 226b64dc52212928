#pragma once
// The Windows functions the programs reach by name at run time.

#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "winapi/Bind.h"

namespace bound {
BIND_WINDOWS_FUNCTION("user32.dll", SetWindowPos);
BIND_WINDOWS_FUNCTION("user32.dll", GetWindowLongA);
BIND_WINDOWS_FUNCTION("user32.dll", SetWindowLongA);
BIND_WINDOWS_FUNCTION("user32.dll", SetLayeredWindowAttributes);
BIND_WINDOWS_FUNCTION("user32.dll", DrawTextA);
BIND_WINDOWS_FUNCTION("gdi32.dll", CreateDCA);
BIND_WINDOWS_FUNCTION("gdi32.dll", StretchBlt);
BIND_WINDOWS_FUNCTION("gdi32.dll", DeleteDC);
BIND_WINDOWS_FUNCTION("gdi32.dll", BeginPath);
BIND_WINDOWS_FUNCTION("gdi32.dll", EndPath);
BIND_WINDOWS_FUNCTION("gdi32.dll", StrokeAndFillPath);
BIND_WINDOWS_FUNCTION("kernel32.dll", Sleep);
BIND_WINDOWS_FUNCTION("kernel32.dll", GetVersionExA);
BIND_WINDOWS_FUNCTION("kernel32.dll", GetTempPathW);
BIND_WINDOWS_FUNCTION("winmm.dll", mciSendStringW);
BIND_WINDOWS_FUNCTION("winmm.dll", sndPlaySoundA);
BIND_WINDOWS_FUNCTION("comctl32.dll", InitCommonControlsEx);
BIND_WINDOWS_FUNCTION("comdlg32.dll", GetOpenFileNameW);
BIND_WINDOWS_FUNCTION("comdlg32.dll", GetSaveFileNameW);
BIND_WINDOWS_FUNCTION("comdlg32.dll", CommDlgExtendedError);
BIND_WINDOWS_FUNCTION("user32.dll", DrawTextW);
BIND_WINDOWS_FUNCTION("shell32.dll", ShellExecuteW);
}  // namespace bound
