#include "winapi/Ansi.h"

#include <windows.h>

WideString FromAnsi(const char* bytes, size_t length) {
  if (length == 0) return WideString();
  int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), nullptr, 0);
  if (n <= 0) return WideString();
  WideString text = WideString::Repeat(L'\0', static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), const_cast<wchar_t*>(text.c_str()), n);
  return text;
}
