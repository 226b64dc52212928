#include "generator/VersionResource.h"

#include "generator/GeneratorResources.h"

bool OwnFileVersion(HINSTANCE instance, FileVersion* version) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDV_VERSION), MAKEINTRESOURCEW(16));  // RT_VERSION
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const auto* block = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  return block && ReadFileVersion(block, SizeofResource(instance, found), version);
}
