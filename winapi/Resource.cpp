#include "winapi/Resource.h"

const unsigned char* ResourceBytes(HMODULE module, int id, const wchar_t* type, size_t& length) {
  length = 0;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return nullptr;
  length = SizeofResource(module, found);
  return static_cast<const unsigned char*>(bytes);
}
