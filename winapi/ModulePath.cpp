#include "winapi/ModulePath.h"

#include <windows.h>

WideString OwnModulePath() {
  DWORD size = MAX_PATH;
  for (;;) {
    WideString buffer = WideString::Repeat(L'\0', size);
    DWORD written = GetModuleFileNameW(nullptr, const_cast<wchar_t*>(buffer.c_str()), size);
    if (written == 0) return WideString();
    if (written < size) return buffer.Left(written);
    size *= 2;  // truncated: the path is longer than the buffer
  }
}
