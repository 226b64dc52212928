#include "generator/VersionResource.h"

#include "generator/GeneratorResources.h"
#include "winapi/Resource.h"

bool OwnFileVersion(HINSTANCE instance, FileVersion* version) {
  size_t length = 0;
  const unsigned char* block = ResourceBytes(instance, IDV_VERSION, VersionResource(), length);
  return block && ReadFileVersion(block, length, version);
}
