#pragma once
// Wide strings for wasm32 without a libc (wchar_t holds a code point there).
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
size_t wcslen(const wchar_t* text);
#ifdef __cplusplus
}
#endif
