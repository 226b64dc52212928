#include "generator/WebTemplate.h"

#include "generator/GeneratorResources.h"
#include "winapi/Resource.h"

WebTemplate OwnWebTemplate() {
  size_t length = 0;
  const unsigned char* bytes = ResourceBytes(GetModuleHandleW(nullptr), IDW_WEB_TEMPLATE, RawDataResource(), length);
  return WebTemplate{bytes, length};
}
