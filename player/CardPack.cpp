#include "player/CardPack.h"

#include <stdint.h>

#include "codecs/Inflate.h"
#include "player/PlayerResources.h"

namespace {

uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

CardPack::CardPack(HINSTANCE instance) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_PACK), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const auto* pack = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  DWORD size = found ? SizeofResource(instance, found) : 0;
  if (!pack || size < 4) return;
  ByteBuffer records(Le32(pack));
  if (!records.ok() || Inflate(pack + 4, size - 4, records.data(), records.size()) != records.size()) return;
  records_ = static_cast<ByteBuffer&&>(records);
}

const unsigned char* CardPack::Find(int id, size_t& length) const {
  const unsigned char* p = records_.data();
  const unsigned char* end = p + records_.size();
  while (p && end - p >= 8) {
    size_t image = Le32(p + 4);
    if (image > static_cast<size_t>(end - p - 8)) break;
    if ((p[0] | (p[1] << 8)) == id) {
      length = image;
      return p + 8;
    }
    p += 8 + image;
  }
  length = 0;
  return nullptr;
}
