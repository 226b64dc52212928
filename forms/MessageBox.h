#pragma once
#include <windows.h>

// A modal message box; the answer is returned for callers that want it.
inline int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* title, UINT flags) {
  return MessageBoxW(owner, text, title, flags);
}
