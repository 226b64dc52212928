// Linked into the shipped programs only. They use no exceptions and no
// run-time type information; these few definitions keep the C++ support
// library, and the exception machinery it would drag in, out of the card.

#include <stdlib.h>

// calloc, which the programs import anyway, rather than one more import.
void* operator new(size_t size) {
  void* p = calloc(size ? size : 1, 1);
  if (!p) abort();
  return p;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }

extern "C" void __cxa_pure_virtual() { abort(); }
