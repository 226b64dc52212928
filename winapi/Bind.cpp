#include "winapi/Bind.h"

FARPROC LoadLibraryFunction(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  // Libraries loaded here stay loaded for the life of the process, as the
  // remembered pointers into them must stay valid.
  if (!module) module = LoadLibraryA(library);
  return module ? GetProcAddress(module, name) : nullptr;
}
