#include "generator/VersionRecord.h"

namespace {

unsigned Word(const unsigned char* p) { return p[0] | (p[1] << 8); }
unsigned long Dword(const unsigned char* p) {
  return Word(p) | (static_cast<unsigned long>(Word(p + 2)) << 16);
}

constexpr unsigned long kFixedSignature = 0xFEEF04BDul;
constexpr size_t kFixedSize = 52;
// wLength, wValueLength, wType, then the key "VS_VERSION_INFO" in UTF-16 with
// its NUL, padded to a 32-bit boundary.
constexpr size_t kKeyOffset = 6;
constexpr size_t kValueOffset = 40;
const char kKey[] = "VS_VERSION_INFO";

}  // namespace

bool ReadFileVersion(const unsigned char* block, size_t size, FileVersion* version) {
  if (!block || size < kValueOffset + kFixedSize) return false;
  if (Word(block) < kValueOffset + kFixedSize || Word(block + 2) < kFixedSize) return false;
  for (size_t i = 0; i < sizeof(kKey); ++i)
    if (Word(block + kKeyOffset + 2 * i) != static_cast<unsigned char>(kKey[i])) return false;
  const unsigned char* fixed = block + kValueOffset;
  if (Dword(fixed) != kFixedSignature) return false;
  unsigned long ms = Dword(fixed + 8), ls = Dword(fixed + 12);
  version->major = static_cast<unsigned>(ms >> 16);
  version->minor = static_cast<unsigned>(ms & 0xFFFF);
  version->build = static_cast<unsigned>(ls >> 16);
  version->revision = static_cast<unsigned>(ls & 0xFFFF);
  return true;
}
