#pragma once
// The part of the C library the scene uses, for wasm32 without a libc.
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
void* memcpy(void* to, const void* from, size_t n);
void* memmove(void* to, const void* from, size_t n);
void* memset(void* to, int value, size_t n);
int memcmp(const void* a, const void* b, size_t n);
size_t strlen(const char* text);
#ifdef __cplusplus
}
#endif
