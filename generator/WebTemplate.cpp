#include "generator/WebTemplate.h"

#include <windows.h>

#include "generator/GeneratorResources.h"

// A loaded resource belongs to the module and needs no release.
WebTemplate OwnWebTemplate() {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(IDW_WEB_TEMPLATE), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return WebTemplate{nullptr, 0};
  return WebTemplate{static_cast<const unsigned char*>(bytes), SizeofResource(self, found)};
}
