#pragma once
// Memory for the scene's strings, for wasm32 without a libc.
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
void* malloc(size_t size);
void* calloc(size_t count, size_t size);
void* realloc(void* block, size_t size);
void free(void* block);
__attribute__((noreturn)) void abort(void);
#ifdef __cplusplus
}
#endif
