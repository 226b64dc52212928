// What the scene and the generator's writing code need of a C and C++
// runtime in the browser, and no more. The heap only grows, or drops back to
// a mark: one show makes a few dozen short strings, and the page runs the
// scene once; the generator's page releases what each card took.

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

extern "C" unsigned char __heap_base;

namespace {

constexpr size_t kPage = 65536;
constexpr size_t kAlign = 16;

uintptr_t heapTop = 0;

// Each block keeps its size in front of it, for realloc.
struct Header {
  size_t size;
  size_t pad[kAlign / sizeof(size_t) - 1];
};

}  // namespace

extern "C" {

void* memcpy(void* to, const void* from, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  auto* s = static_cast<const unsigned char*>(from);
  for (size_t i = 0; i < n; ++i) d[i] = s[i];
  return to;
}

void* memmove(void* to, const void* from, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  auto* s = static_cast<const unsigned char*>(from);
  if (d < s) {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
  } else {
    for (size_t i = n; i > 0; --i) d[i - 1] = s[i - 1];
  }
  return to;
}

void* memset(void* to, int value, size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  for (size_t i = 0; i < n; ++i) d[i] = static_cast<unsigned char>(value);
  return to;
}

int memcmp(const void* a, const void* b, size_t n) {
  auto* x = static_cast<const unsigned char*>(a);
  auto* y = static_cast<const unsigned char*>(b);
  for (size_t i = 0; i < n; ++i) {
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  }
  return 0;
}

size_t strlen(const char* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

size_t wcslen(const wchar_t* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

wchar_t* wmemchr(const wchar_t* text, wchar_t c, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == c) return const_cast<wchar_t*>(text + i);
  }
  return nullptr;
}

void abort(void) { __builtin_trap(); }

void* malloc(size_t size) {
  if (heapTop == 0) heapTop = (reinterpret_cast<uintptr_t>(&__heap_base) + kAlign - 1) & ~(kAlign - 1);
  size = (size + kAlign - 1) & ~(kAlign - 1);
  uintptr_t block = heapTop;
  uintptr_t end = block + sizeof(Header) + size;
  size_t have = __builtin_wasm_memory_size(0) * kPage;
  if (end > have && __builtin_wasm_memory_grow(0, (end - have + kPage - 1) / kPage) == SIZE_MAX) return nullptr;
  heapTop = end;
  reinterpret_cast<Header*>(block)->size = size;
  return reinterpret_cast<void*>(block + sizeof(Header));
}

void* calloc(size_t count, size_t size) {
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  void* block = malloc(count * size);
  if (block) memset(block, 0, count * size);
  return block;
}

void* realloc(void* block, size_t size) {
  if (!block) return malloc(size);
  size_t had = (reinterpret_cast<Header*>(block) - 1)->size;
  if (size <= had) return block;
  void* bigger = malloc(size);
  if (bigger) memcpy(bigger, block, had);
  return bigger;
}

void free(void*) {}

// The generator's page makes a card on each call and then forgets all of
// it: everything allocated after a mark goes at once.
uintptr_t HeapMark() { return heapTop; }
void HeapRelease(uintptr_t mark) { heapTop = mark; }

// Abstract classes' tables point here; never called.
void __cxa_pure_virtual() { __builtin_trap(); }

}  // extern "C"

void operator delete(void*) noexcept {}
void operator delete(void*, size_t) noexcept {}
