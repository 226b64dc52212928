#pragma once
// Wide strings for wasm32 without a libc (wchar_t holds a code point there).
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
size_t wcslen(const wchar_t* text);
wchar_t* wmemchr(const wchar_t* text, wchar_t c, size_t n);
#ifdef __cplusplus
}
#endif
